#include <gtest/gtest.h>

#include <filesystem>

#include "app/GameWindow.h"
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
    Options::destroy(false);
    platform::setProgramFolder(dir.folder());
    // The screens are built from the shipped pictures.
    std::filesystem::create_directory_symlink(testsupport::dataDir() + "images",
                                              dir.path() / "images");
    platform::launchSettings() = platform::LaunchSettings{};
    platform::launchSettings().headless = true;
    Options::instance()->ini().setValueInt(Options::kGraphicsSection, "width", 320);
    Options::instance()->ini().setValueInt(Options::kGraphicsSection, "height", 240);
  }
  ~GameWindowTest() override {
    Options::destroy(false);
    platform::setProgramFolder(savedFolder_);
    platform::launchSettings() = platform::LaunchSettings{};
  }
  void setIntro(int on) { Options::instance()->setOptionInt("intro", on); }

  // Frames until the window leaves the intro, with Space held in the frames `space` names.
  template <class SpaceHeld>
  int introEnd(GameWindow& window, SpaceHeld space) {
    for (int i = 0; i < 1000 && window.mode() == WindowMode::intro; ++i) {
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
    EXPECT_EQ(window.mode(), WindowMode::menu);
    EXPECT_EQ(window.caption(), L"PROJECT KELVANE 1.0");
    // 320 × 240 from the options is too small for the screens: the smallest usable size.
    EXPECT_EQ(window.screenWidth(), 640);
    EXPECT_EQ(window.graphics().height(), 480);
    window.tick();
    EXPECT_EQ(window.mode(), WindowMode::menu);
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "options.ini"));
  }
  EXPECT_TRUE(std::filesystem::exists(dir.folder() + "options.ini"));
  // The store was destroyed and reads the written file anew; the player's values stay.
  EXPECT_EQ(Options::instance()->getGraphicsInt("width"), 320);
  EXPECT_EQ(Options::instance()->getOptionInt("intro"), 0);
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
  auto* title = dynamic_cast<GUI_Component_Label*>(window.gui().find("popuptitle"));
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
  ASSERT_EQ(window.mode(), WindowMode::intro);
  EXPECT_EQ(window.logoY(), 240.0f);
  EXPECT_EQ(introEnd(window, [](int frame) { return frame >= 3 && frame <= 5; }), 35);
  EXPECT_EQ(window.mode(), WindowMode::menu);
  EXPECT_NE(window.gui().find("gui_tracksLB"), nullptr);
}

TEST_F(GameWindowTest, RaceStartTakesTwoFramesAndAFailedSetupReturnsToTheMenu) {
  setIntro(0);
  GameWindow window;
  window.beginRaceStart();
  EXPECT_EQ(window.mode(), WindowMode::loading);
  window.tick();  // the loading picture is drawn
  EXPECT_EQ(window.mode(), WindowMode::starting);
  window.tick();  // no track chosen: the setup fails
  EXPECT_EQ(window.mode(), WindowMode::menu);
  auto* title = dynamic_cast<GUI_Component_Label*>(window.gui().find("popuptitle"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), L"Error loading track");
  EXPECT_NE(window.gui().find("gui_tracksLB"), nullptr);

  window.beginGeneration();
  EXPECT_EQ(window.mode(), WindowMode::generating);
  window.tick();
  EXPECT_EQ(window.mode(), WindowMode::menu);
}
