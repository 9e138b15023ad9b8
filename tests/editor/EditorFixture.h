#pragma once
// The editor's screen over a temporary run-time tree and home folder, driven with scripted mouse
// and keys through the real widgets and the real GUI pass, as the menu tests drive the game.
#include <memory>
#include <optional>
#include <string>

#include "app/MenuFixture.h"
#include "editor/EditorScreen.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Menu.h"
#include "gui/GUI_Component_MenuItem.h"
#include "gui/GUI_Component_TextField.h"
#include "platform/Buttons.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/UserFolders.h"
#include "track/TrackFolders.h"

namespace editortest {

namespace button = platform::button;

// `readOnlyTree`: the run-time tree is an installed one that the editor may not write to.
inline track::TrackFolders foldersFor(const std::string& tree, const std::string& home,
                                      bool readOnlyTree) {
  platform::FolderEnvironment env;
  env.programFolder = tree;
  env.installedTree = readOnlyTree;
  env.variable = [home](const std::string& name) -> std::optional<std::string> {
    if (name == "HOME") return home;
    if (name == "XDG_DATA_HOME") return home + ".local/share/";
    return std::nullopt;
  };
  env.writable = [tree, readOnlyTree](const std::string& path) {
    return !(readOnlyTree && path.rfind(tree, 0) == 0);
  };
  return track::TrackFolders(platform::UserFolders(env));
}

class EditorWorld : public editor::EditorHost {
 public:
  static constexpr int kWidth = editor::EditorScreen::kWidth;
  static constexpr int kHeight = editor::EditorScreen::kHeight;

  explicit EditorWorld(bool readOnlyTree = false)
      : graphics(kWidth, kHeight),
        owner(std::make_unique<editor::EditorScreen>(
            graphics, input, foldersFor(program.folder(), home(), readOnlyTree), *this)),
        screen(*owner) {}
  // The cached pictures belong to this world's graphics: they go after the screen, before it.
  ~EditorWorld() override {
    owner.reset();
    gui::ImageCache::discard();
    gui::FontCache::discard();
  }

  void setCaption(const std::wstring& text) override { caption = text; }
  void quit() override { quitCalled = true; }

  std::string home() const { return program.folder() + "home/"; }
  std::string userTracks() const { return home() + ".local/share/kelvane/tracks/"; }

  void frame() {
    screen.update();
    screen.draw();
    graphics.flush();
    input.endFrame();
  }
  // Where a world point lies on the screen now.
  double screenX(double worldX) { return screen.view().toScreenX(worldX); }
  double screenY(double worldY) { return screen.view().toScreenY(worldY); }

  void press(double x, double y, int which = button::kMouseLeft) {
    input.setMouse(x, y);
    input.setDown(which, true);
    frame();
  }
  void release(int which = button::kMouseLeft) {
    input.setDown(which, false);
    frame();
  }
  void click(double x, double y) {
    press(x, y);
    release();
  }
  // A click at a world point.
  void clickWorld(double wx, double wy) { click(screenX(wx), screenY(wy)); }
  // Drags with the left button from one screen point to another in a few steps.
  void drag(double x0, double y0, double x1, double y1, int which = button::kMouseLeft) {
    press(x0, y0, which);
    for (int step = 1; step <= 4; ++step) {
      input.setMouse(x0 + (x1 - x0) * step / 4, y0 + (y1 - y0) * step / 4);
      frame();
    }
    release(which);
  }
  void wheel(double x, double y, bool up, bool control = false) {
    input.setMouse(x, y);
    input.setDown(button::kControl, control);
    input.setDown(up ? button::kWheelUp : button::kWheelDown, true);
    frame();
    input.setDown(button::kControl, false);
    frame();
  }
  // A key pressed and let go, with Control and Shift held as asked.
  void key(int id, bool control = false, bool shift = false) {
    input.setDown(button::kControl, control);
    input.setDown(button::kShift, shift);
    input.press(id);
    frame();
    input.release(id);
    input.setDown(button::kControl, false);
    input.setDown(button::kShift, false);
    frame();
  }
  // Text typed in one frame (UTF-8).
  void type(const std::string& utf8) {
    input.typeText(utf8);
    frame();
  }
  // Moves the pointer to a corner where nothing reacts, closing the drop-downs.
  void rest() {
    input.setMouse(kWidth / 2, kHeight - 10);
    frame();
  }

  // Clicks the button with this id, or the entry of the menu bar's drop-down `barId`.
  void clickButton(const std::string& id) {
    auto* widget = dynamic_cast<gui::GUI_Component_Button*>(screen.gui().find(id));
    ASSERT_NE(widget, nullptr) << id;
    const auto& s = widget->skin();
    click((s.left() + s.right()) / 2, (s.top() + s.bottom()) / 2);
    rest();
  }
  // Clicks into the text field with this id, and returns it.
  gui::GUI_Component_TextField* clickField(const std::string& id) {
    auto* field = dynamic_cast<gui::GUI_Component_TextField*>(screen.gui().find(id));
    if (field == nullptr) {
      ADD_FAILURE() << id;
      return nullptr;
    }
    click((field->left() + field->right()) / 2.0, (field->top() + field->bottom()) / 2.0);
    return field;
  }
  void clickMenu(const std::string& barId, const std::string& id) {
    auto* bar = dynamic_cast<gui::GUI_Component_Menu*>(screen.gui().find("editorMenu"));
    ASSERT_NE(bar, nullptr);
    auto* opener = bar->findItem(barId);
    ASSERT_NE(opener, nullptr) << barId;
    input.setMouse((opener->skin().left() + opener->skin().right()) / 2,
                   (opener->skin().top() + opener->skin().bottom()) / 2);
    frame();
    gui::GUI_Component_MenuItem* entry = nullptr;
    for (int i = 0; i < bar->subMenuCount() && entry == nullptr; ++i) {
      entry = bar->subMenu(i).findItem(id);
    }
    ASSERT_NE(entry, nullptr) << id;
    click((entry->skin().left() + entry->skin().right()) / 2,
          (entry->skin().top() + entry->skin().bottom()) / 2);
    rest();
  }
  std::wstring popupTitle() {
    auto* title = dynamic_cast<gui::GUI_Component_Label*>(screen.gui().find("popuptitle"));
    return title == nullptr ? L"" : title->text();
  }

  menutest::ProgramFolder program;
  platform::Graphics graphics;
  platform::Input input;
  std::unique_ptr<editor::EditorScreen> owner;
  editor::EditorScreen& screen;
  std::wstring caption;
  bool quitCalled = false;
};

}  // namespace editortest
