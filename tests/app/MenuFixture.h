#pragma once
// A headless main menu over a temporary program folder: the real widgets, routed by the real
// GUI manager with scripted mouse input, and a plain track loader standing in for the race.
#include <filesystem>
#include <memory>
#include <string>

#include "app/IntroScreen.h"
#include "app/MainMenu.h"
#include "app/MessageBox.h"
#include "app/ScreenWidgets.h"
#include "app/TrackChoice.h"
#include "app/TrackList.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_ListBoxItem.h"
#include "gui/GUI_Component_Menu.h"
#include "gui/GUI_Component_MenuItem.h"
#include "gui/GUI_Manager.h"
#include "gui/ImageCache.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"
#include "track/TrackData.h"
#include "track/TrackLoader.h"

namespace menutest {

// A small square track: `positions` start slots, road 60 units wide, about 400 units across.
inline std::string squareTrack(const std::string& title, const std::string& background,
                               int positions) {
  std::string xml = "<?xml version=\"1.0\"?>\n<track><title>" + title + "</title><background>" +
                    background + "</background>";
  const int corners[4][2] = {{60, 60}, {340, 60}, {340, 340}, {60, 340}};
  for (const auto& c : corners) {
    xml += "<point><x>" + std::to_string(c[0]) + "</x><y>" + std::to_string(c[1]) +
           "</y><width>60</width><offset>0</offset><rotation>0</rotation></point>";
  }
  for (int i = 0; i < positions; ++i) {
    xml += "<position><x>" + std::to_string(200 - 30 * i) + "</x><y>" +
           std::to_string(i % 2 == 0 ? 50 : 70) +
           "</y><width>0</width><offset>0</offset><rotation>0</rotation></position>";
  }
  return xml + "</track>\n";
}

// The race's view of the chosen track, with the track loaders the race uses.
class LoaderChoice : public app::TrackChoice {
 public:
  explicit LoaderChoice(std::string tracksFolder) : folder_(std::move(tracksFolder)) {}
  void selectTrack(const std::string& fileName) override {
    file_ = fileName;
    track_ = track::readLevelInfo(folder_ + fileName);
  }
  void loadTrack() override { track_ = track::importTrack(folder_ + file_); }
  std::string getTrackFile() const override { return file_; }
  const track::TrackData* track() const override { return track_.get(); }

 private:
  std::string folder_;
  std::string file_;
  std::unique_ptr<track::TrackData> track_;
};

// The temporary program folder: the shipped pictures and help linked in, an empty tracks
// folder, and a fresh options store over its own "options.ini".
class ProgramFolder {
 private:
  // Put back when the test ends: the next test must not run in this one's folder.
  testsupport::ProgramFolderScope programFolderScope_;

 public:
  ProgramFolder() {
    namespace fs = std::filesystem;
    fs::create_directory_symlink(testsupport::dataDir() + "images", dir_.path() / "images");
    fs::create_directories(dir_.path() / "tracks");
    config::Options::destroy(false);
    platform::setProgramFolder(dir_.folder());
  }
  ~ProgramFolder() {
    config::Options::destroy(false);
    gui::ImageCache::discard();
    gui::FontCache::discard();
  }
  std::string folder() const { return dir_.folder(); }
  std::string tracks() const { return dir_.folder() + "tracks/"; }
  std::string writeTrack(const std::string& name, const std::string& xml) const {
    return dir_.write("tracks/" + name, xml);
  }
  void linkHelp() const {
    std::filesystem::create_directory_symlink(testsupport::dataDir() + "help",
                                              dir_.path() / "help");
  }

 private:
  testsupport::TempDir dir_;
};

struct Centre {
  int x = -1;
  int y = -1;
  bool found() const { return x >= 0; }
};

// The menu screens as the window holds them, with the window's command routing.
class MenuWorld : public gui::GUI_Listener {
 public:
  static constexpr int kWidth = 1000;
  static constexpr int kHeight = 700;

  MenuWorld()
      : graphics(kWidth, kHeight),
        gui(graphics),
        widgets(gui),
        messageBox(widgets, kWidth, kHeight, L"1.0"),
        trackList(widgets, program.tracks(), kWidth, kHeight),
        choice(program.tracks()),
        menu(widgets, messageBox, trackList, choice, program.folder(), kWidth, kHeight) {
    gui.addListener(this);
  }
  ~MenuWorld() override {
    widgets.clear();
    // The cached pictures belong to this world's graphics, which goes first.
    gui::ImageCache::discard();
    gui::FontCache::discard();
  }

  void onClick(std::string id) override {
    clicks.push_back(id);
    lastRequest = menu.onClick(id);
  }
  void onHover(std::string) override {}

  void frame() {
    gui.update(input);
    graphics.flush();
    input.endFrame();
  }
  // A press and a release at (x, y): the release fires the widget under the pointer.
  void click(int x, int y) {
    input.setMouse(x, y);
    input.setDown(platform::button::kMouseLeft, true);
    frame();
    input.setDown(platform::button::kMouseLeft, false);
    frame();
  }
  // Moves the pointer away from everything and lets one frame pass (closes drop-downs).
  void rest() {
    input.setMouse(kWidth - 5, kHeight - 5);
    frame();
  }

  // Centre of a button, a list row or a menu entry (also in a drop-down) with this id.
  Centre centreOf(const std::string& id) {
    if (auto* button = dynamic_cast<gui::GUI_Component_Button*>(gui.find(id))) {
      const auto& s = button->skin();
      return {(s.left() + s.right()) / 2, (s.top() + s.bottom()) / 2};
    }
    if (auto* list = trackList.listBox()) {
      for (int i = 0; i < list->rowCount(); ++i) {
        const auto& row = list->row(i);
        if (row.id() != id) continue;
        const auto& s = row.skin();
        const int offset = -list->rowHeight() * list->firstVisible();
        return {(s.left() + s.right()) / 2, (s.top() + s.bottom()) / 2 + offset};
      }
    }
    if (auto* bar = dynamic_cast<gui::GUI_Component_Menu*>(gui.find("mainMenu"))) {
      if (auto c = menuEntry(*bar, id); c.found()) return c;
    }
    return {};
  }

  void clickWidget(const std::string& id) {
    const Centre c = centreOf(id);
    ASSERT_TRUE(c.found()) << id;
    click(c.x, c.y);
  }

  // Opens the drop-down of bar entry `barId` by hovering it, then clicks its entry `id`.
  void clickMenu(const std::string& barId, const std::string& id) {
    const Centre opener = centreOf(barId);
    ASSERT_TRUE(opener.found()) << barId;
    input.setMouse(opener.x, opener.y);
    frame();
    clickWidget(id);
  }

  gui::GUI_Component_Label* label(const std::string& id) {
    return dynamic_cast<gui::GUI_Component_Label*>(gui.find(id));
  }
  std::wstring popupTitle() {
    auto* title = label("popuptitle");
    return title == nullptr ? L"" : title->text();
  }
  int count(const std::string& id) const {
    int n = 0;
    for (auto* w : gui.components()) n += w->id() == id ? 1 : 0;
    return n;
  }

  ProgramFolder program;
  platform::Graphics graphics;
  platform::Input input;
  gui::GUI_Manager gui;
  app::ScreenWidgets widgets;
  app::MessageBox messageBox;
  app::TrackList trackList;
  LoaderChoice choice;
  app::MainMenu menu;
  std::vector<std::string> clicks;
  app::MenuRequest lastRequest = app::MenuRequest::None;

 private:
  static Centre menuEntry(gui::GUI_Component_Menu& menu, const std::string& id) {
    if (auto* item = menu.findItem(id)) {
      const auto& s = item->skin();
      return {(s.left() + s.right()) / 2, (s.top() + s.bottom()) / 2};
    }
    for (int i = 0; i < menu.subMenuCount(); ++i) {
      if (auto c = menuEntry(menu.subMenu(i), id); c.found()) return c;
    }
    return {};
  }
};

}  // namespace menutest
