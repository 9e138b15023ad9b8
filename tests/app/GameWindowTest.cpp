#include <gtest/gtest.h>

#include <filesystem>

#include "app/GameWindow.h"
#include "config/Options.h"
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

TEST_F(GameWindowTest, OpensAtTheOptionsSizeWithTheCaptionAndWritesOptionsOnTeardown) {
  setIntro(0);
  {
    GameWindow window;
    EXPECT_EQ(window.mode(), WindowMode::menu);
    EXPECT_EQ(window.caption(), L"PROJECT KELVANE 1.0");
    EXPECT_EQ(window.screenWidth(), 320);
    EXPECT_EQ(window.graphics().height(), 240);
    window.tick();
    EXPECT_EQ(window.mode(), WindowMode::menu);
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "options.ini"));
  }
  EXPECT_TRUE(std::filesystem::exists(dir.folder() + "options.ini"));
  // The store was destroyed and reads the written file anew.
  EXPECT_EQ(Options::instance()->getGraphicsInt("width"), 320);
  EXPECT_EQ(Options::instance()->getOptionInt("intro"), 0);
}

TEST_F(GameWindowTest, IntroTimesOutAtFrame530) {
  setIntro(1);
  GameWindow window;
  ASSERT_EQ(window.mode(), WindowMode::intro);
  EXPECT_EQ(window.logoY(), 120.0f);
  EXPECT_EQ(introEnd(window, [](int) { return false; }), 530);
  EXPECT_EQ(window.mode(), WindowMode::menu);
}

TEST_F(GameWindowTest, SpaceEndsTheIntroThirtyFramesAfterItIsReleased) {
  setIntro(1);
  GameWindow tapped;
  EXPECT_EQ(introEnd(tapped, [](int frame) { return frame == 100; }), 130);

  GameWindow held;
  EXPECT_EQ(introEnd(held, [](int frame) { return frame >= 100 && frame <= 150; }), 180);
}

TEST_F(GameWindowTest, LogoRisesAndStopsAtFrame358) {
  setIntro(1);
  GameWindow window;
  while (window.introFrame() < 357) window.tick();
  EXPECT_GT(window.logoSpeed(), 0.0f);
  window.tick();
  EXPECT_EQ(window.logoSpeed(), 0.0f);
  EXPECT_NEAR(120.0f - window.logoY(), 188.0f, 1.5f);
}

TEST_F(GameWindowTest, RaceStartTakesTwoFramesAndAFailedSetupReturnsToTheMenu) {
  setIntro(0);
  GameWindow window;
  window.beginRaceStart();
  EXPECT_EQ(window.mode(), WindowMode::loading);
  window.tick();  // the loading picture is drawn
  EXPECT_EQ(window.mode(), WindowMode::starting);
  window.tick();  // no race attached: the setup fails
  EXPECT_EQ(window.mode(), WindowMode::menu);

  window.beginGeneration();
  EXPECT_EQ(window.mode(), WindowMode::generating);
  window.tick();
  EXPECT_EQ(window.mode(), WindowMode::menu);
}
