#include <gtest/gtest.h>

#include <filesystem>

#include "MenuFixture.h"
#include "app/GameWindow.h"
#include "app/MainMenu.h"
#include "app/MenuCommands.h"
#include "app/TrackList.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Manager.h"
#include "platform/Buttons.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "support/TestSupport.h"

using app::GameWindow;
using app::WindowMode;

namespace {

// A fresh program folder with its own options, set before the window reads them.
class GameWindowTest : public ::testing::Test {
 protected:
  GameWindowTest() : savedFolder_(platform::programFolder()) {
    config::Options::destroy(false);
    platform::setProgramFolder(dir.folder());
    // The screens are built from the shipped pictures.
    std::filesystem::create_directory_symlink(testsupport::dataDir() + "images",
                                              dir.path() / "images");
    platform::launchSettings() = platform::LaunchSettings{};
    platform::launchSettings().headless = true;
    config::Options::instance()->ini().setValueInt(config::Options::kGraphicsSection,
                                                   config::key::width, 320);
    config::Options::instance()->ini().setValueInt(config::Options::kGraphicsSection,
                                                   config::key::height, 240);
  }
  ~GameWindowTest() override {
    config::Options::destroy(false);
    platform::setProgramFolder(savedFolder_);
    platform::launchSettings() = platform::LaunchSettings{};
  }
  void setIntro(int on) { config::Options::instance()->setOptionInt(config::key::intro, on); }

  // Frames until the window leaves the intro, with Space held in the frames `space` names.
  template <class SpaceHeld>
  int introEnd(GameWindow& window, SpaceHeld space) {
    for (int i = 0; i < 1000 && window.mode() == WindowMode::Intro; ++i) {
      window.input().setDown(platform::button::kSpace, space(window.introFrame() + 1));
      window.tick();
    }
    return window.introFrame();
  }

  testsupport::TempDir dir;

 private:
  std::string savedFolder_;
};

}  // namespace

TEST_F(GameWindowTest, OpensAtAUsableSizeWithTheCaptionAndWritesOptionsOnTeardown) {
  setIntro(0);
  {
    GameWindow window;
    EXPECT_EQ(window.mode(), WindowMode::Menu);
    EXPECT_EQ(window.caption(), L"PROJECT KELVANE 1.0");
    // 320 × 240 from the options is too small for the screens: the smallest usable size.
    EXPECT_EQ(window.screenWidth(), 640);
    EXPECT_EQ(window.graphics().height(), 480);
    window.tick();
    EXPECT_EQ(window.mode(), WindowMode::Menu);
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "options.ini"));
  }
  EXPECT_TRUE(std::filesystem::exists(dir.folder() + "options.ini"));
  // The store was destroyed and reads the written file anew; the player's values stay.
  EXPECT_EQ(config::Options::instance()->getGraphicsInt(config::key::width), 320);
  EXPECT_EQ(config::Options::instance()->getOptionInt(config::key::intro), 0);
}

// The intro's frame timings are checked on the intro screen itself (IntroTest); here: the
// window runs it and moves on to the menu.
TEST_F(GameWindowTest, SettingsThatCannotBeSavedAreToldBeforeTheWindowCloses) {
  setIntro(0);
  // "options.ini" is a folder: nothing can replace it.
  std::filesystem::create_directories(dir.path() / "options.ini" / "inside");
  GameWindow window;
  window.tick();
  testing::internal::CaptureStderr();
  window.notifyCloseRequested();
  EXPECT_FALSE(window.closed());
  auto* title = dynamic_cast<gui::GUI_Component_Label*>(window.gui().find("popuptitle"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), L"Settings not saved");
  EXPECT_NE(testing::internal::GetCapturedStderr().find("not a regular file"), std::string::npos);
  // Told once: asked again, the window closes, and the run counts as failed.
  window.notifyCloseRequested();
  EXPECT_TRUE(window.closed());
  EXPECT_FALSE(window.saveSettings());
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "options.ini" / "inside"));
}

TEST_F(GameWindowTest, SpaceEndsTheIntroThirtyFramesAfterItIsReleased) {
  setIntro(1);
  GameWindow window;
  ASSERT_EQ(window.mode(), WindowMode::Intro);
  EXPECT_EQ(window.logoY(), 240.0f);
  EXPECT_EQ(introEnd(window, [](int frame) { return frame >= 3 && frame <= 5; }), 35);
  EXPECT_EQ(window.mode(), WindowMode::Menu);
  EXPECT_NE(window.gui().find("gui_tracksLB"), nullptr);
}

TEST_F(GameWindowTest, RaceStartTakesTwoFramesAndAFailedSetupReturnsToTheMenu) {
  setIntro(0);
  // A track with a start grid whose picture is no picture: the menu lets the race start, the
  // set-up fails. Where its generated picture would go stands a folder, so painting one fails
  // too.
  dir.write("tracks/broken.rst", menutest::squareTrack("Broken", "broken_bg.png", 2));
  dir.write("tracks/broken_bg.png", "not a picture");
  std::filesystem::create_directories(dir.path() / "tracks" / "broken.png");
  GameWindow window;
  for (const app::TrackListEntry& entry : window.trackList().entries()) {
    if (entry.fileName == "broken.rst") {
      window.onClick(app::TrackList::kRowPrefix + std::to_string(entry.number));
    }
  }
  ASSERT_NE(window.mainMenu().carsLabel(), nullptr) << "the track is chosen";
  window.onClick(app::command::startRace);
  EXPECT_EQ(window.mode(), WindowMode::Loading);
  window.tick();  // the loading picture is drawn
  EXPECT_EQ(window.mode(), WindowMode::Starting);
  window.tick();  // the picture cannot be read: the setup fails
  EXPECT_EQ(window.mode(), WindowMode::Menu);
  auto* title = dynamic_cast<gui::GUI_Component_Label*>(window.gui().find("popuptitle"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), L"Error loading track");
  EXPECT_NE(window.gui().find("gui_tracksLB"), nullptr);

  window.onClick(app::command::startGeneration);
  EXPECT_EQ(window.mode(), WindowMode::Generating);
  for (int frame = 0; frame < 20 && window.mode() == WindowMode::Generating; ++frame) {
    window.tick();
  }
  EXPECT_EQ(window.mode(), WindowMode::Menu);
  title = dynamic_cast<gui::GUI_Component_Label*>(window.gui().find("popuptitle"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), L"Background generation failed");
}
