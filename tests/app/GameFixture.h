#pragma once
// The whole game through its real window, headless: a small program folder and a player who
// clicks, types and presses keys through the window's input.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "MenuFixture.h"
#include "app/GameWindow.h"
#include "app/TrackList.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Swatch.h"
#include "gui/GUI_Component_TextField.h"
#include "platform/Bitmap.h"
#include "platform/Buttons.h"
#include "platform/Text.h"

namespace apptest {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A program folder with the shipped pictures, a small options file and two small tracks:
// "ring.rst" with a background picture and "bare.rst" without any.
class GameFolder {
 public:
  GameFolder() {
    program.writeTrack("ring.rst", menutest::squareTrack("Small Ring", "ring_bg.png", 4));
    platform::Bitmap(420, 420, 0xff3a7a3au).savePng(program.tracks() + "ring_bg.png");
    program.writeTrack("bare.rst", menutest::squareTrack("Bare Square", "missing.png", 2));
    writeOptions();
  }
  void writeOptions() const {
    std::ofstream out(program.folder() + "options.ini");
    // One human car: no computer driver needs to learn before a race, which keeps races quick.
    out << "[ Options ]\nnrCars=1\nnrLaps=3\nonlyCPU=0\nsound=0\nintro=1\n\n"
        << "[ Graphics ]\nwidth=" << kWidth << "\nheight=" << kHeight << "\nfullscreen=0\n";
  }
  menutest::ProgramFolder program;
};

class Player {
 public:
  explicit Player(app::GameWindow& window) : window_(window) {}

  void frames(int n) {
    for (int i = 0; i < n; ++i) window_.tick();
  }
  // Held for one frame, then let go for one.
  void press(int button) {
    window_.input().setDown(button, true);
    window_.tick();
    window_.input().setDown(button, false);
    window_.tick();
  }
  // Pressed and let go within one frame, as a quick key stroke arrives: it counts as a press
  // of that frame (what key captures and text fields read).
  void tap(int button) {
    window_.input().press(button);
    window_.input().release(button);
    window_.tick();
  }
  void type(const std::string& utf8) {
    window_.input().typeText(utf8);
    window_.tick();
  }
  void click(int x, int y) {
    window_.input().setMouse(x, y);
    window_.input().setDown(platform::button::kMouseLeft, true);
    window_.tick();
    window_.input().setDown(platform::button::kMouseLeft, false);
    window_.tick();
  }
  // A button, colour swatch or text field by its id.
  void clickButton(const std::string& id) {
    gui::GUI_Component* widget = window_.gui().find(id);
    ASSERT_NE(widget, nullptr) << id;
    if (auto* button = dynamic_cast<gui::GUI_Component_Button*>(widget)) {
      const auto& s = button->skin();
      click((s.left() + s.right()) / 2, (s.top() + s.bottom()) / 2);
    } else if (auto* swatch = dynamic_cast<gui::GUI_Component_Swatch*>(widget)) {
      click((swatch->left() + swatch->right()) / 2, (swatch->top() + swatch->bottom()) / 2);
    } else if (auto* field = dynamic_cast<gui::GUI_Component_TextField*>(widget)) {
      click(field->right() - 4, (field->top() + field->bottom()) / 2);
    } else {
      FAIL() << id << " cannot be clicked";
    }
  }
  void clickTrack(const std::string& file) {
    auto* list = window_.trackList().listBox();
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < list->rowCount(); ++i) {
      auto& row = list->row(i);
      if (row.cells()[2] != platform::widen(file)) continue;
      list->scrollTo(i);
      const int offset = -list->rowHeight() * list->firstVisible();
      const auto& s = row.skin();
      click((s.left() + s.right()) / 2, (s.top() + s.bottom()) / 2 + offset);
      return;
    }
    FAIL() << file << " not listed";
  }
  // The cells of the track list's row for a file; empty when it is not listed.
  std::vector<std::wstring> trackRow(const std::string& file) {
    auto* list = window_.trackList().listBox();
    if (list == nullptr) return {};
    for (int i = 0; i < list->rowCount(); ++i) {
      if (list->row(i).cells()[2] == platform::widen(file)) return list->row(i).cells();
    }
    return {};
  }
  std::wstring popupTitle() { return labelText("popuptitle"); }
  std::wstring labelText(const std::string& id) {
    auto* label = dynamic_cast<gui::GUI_Component_Label*>(window_.gui().find(id));
    return label == nullptr ? L"" : label->text();
  }

 private:
  app::GameWindow& window_;
};

}  // namespace apptest
