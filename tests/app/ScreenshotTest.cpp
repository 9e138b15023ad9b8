// Pictures of the menu screens for a human to look at. Written only when the environment names
// a folder: KELVANE_SCREENSHOT_DIR=/some/folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "MenuFixture.h"
#include "platform/Window.h"

namespace {

using menutest::squareTrack;

class ShotWindow : public platform::Window {
 public:
  explicit ShotWindow(const menutest::ProgramFolder& program)
      : Window(1000, 700, false, 16.666666),
        gui(graphics()),
        widgets(gui),
        messageBox(widgets, 1000, 700, L"1.0"),
        trackList(widgets, program.tracks(), 1000, 700),
        choice(program.tracks()),
        menu(widgets, messageBox, trackList, choice, program.folder(), 1000, 700),
        intro(widgets, 1000, 700) {}
  ~ShotWindow() override {
    widgets.clear();
    gui::ImageCache::discard();
    gui::FontCache::discard();
  }
  void update() override {
    if (introRunning) introRunning = !intro.update(input());
  }
  void draw() override { gui.update(input()); }

  gui::GUI_Manager gui;
  app::ScreenWidgets widgets;
  app::MessageBox messageBox;
  app::TrackList trackList;
  menutest::LoaderChoice choice;
  app::MainMenu menu;
  app::IntroScreen intro;
  bool introRunning = false;
};

TEST(Screenshots, MenuScreens) {
  const char* folder = std::getenv("KELVANE_SCREENSHOT_DIR");
  if (folder == nullptr) GTEST_SKIP() << "KELVANE_SCREENSHOT_DIR not set";
  const std::string out = std::string(folder) + "/";
  menutest::ProgramFolder program;
  for (const auto& entry : std::filesystem::directory_iterator(testsupport::tracksDir())) {
    std::filesystem::copy(entry.path(), program.tracks());
  }
  program.writeTrack("zz_broken.rst", "<track><title>Half written");
  ShotWindow window(program);
  window.setKeepLastFrame(true);

  window.intro.buildIntro();
  window.introRunning = true;
  for (int i = 0; i < 190; ++i) window.tick();
  window.saveScreenshot(out + "intro.png");

  window.menu.buildMainMenu();
  window.input().setMouse(300, 80);
  window.tick();
  window.menu.onClick("listboxItem_2");
  window.menu.onClick("cpuOnly");
  window.input().setMouse(140, 90);  // over a row
  for (int i = 0; i < 3; ++i) window.tick();
  window.saveScreenshot(out + "main_menu_setup.png");

  window.input().setMouse(500, 400);
  window.tick();
  window.menu.onClick("generateBackground");
  for (int i = 0; i < 30; ++i) window.tick();
  window.saveScreenshot(out + "popup.png");

  window.messageBox.closePopup();
  const auto& entries = window.trackList.entries();
  for (const auto& e : entries) {
    if (!e.readable) window.menu.onClick("listboxItem_" + std::to_string(e.number));
  }
  for (int i = 0; i < 30; ++i) window.tick();
  window.saveScreenshot(out + "popup_unreadable.png");

  window.messageBox.closePopup();
  window.messageBox.showAbout();
  for (int i = 0; i < 30; ++i) window.tick();
  window.saveScreenshot(out + "about.png");
}

}  // namespace
