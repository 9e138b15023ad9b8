#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HeadlessWindow.h"
#include "platform/Bitmap.h"
#include "platform/Image.h"
#include "support/TestSupport.h"

using platform::button::kSpace;
using platform::button::kWheelDown;
using platform::button::kWheelUp;
using platformtest::HeadlessWindow;

TEST(Window, EachTickRunsUpdateThenDrawOnce) {
  HeadlessWindow window;
  std::vector<std::string> calls;
  window.onUpdate = [&] { calls.push_back("update"); };
  window.onDraw = [&] { calls.push_back("draw"); };
  window.tick();
  window.tick();
  EXPECT_EQ(calls, (std::vector<std::string>{"update", "draw", "update", "draw"}));
  EXPECT_EQ(window.frameCount(), 2);
  EXPECT_TRUE(window.headless());
}

TEST(Window, WheelNotchIsDownForExactlyOneFrameWhileKeysStayHeld) {
  HeadlessWindow window;
  std::vector<bool> wheelSeen;
  window.onUpdate = [&] { wheelSeen.push_back(window.input().down(kWheelUp)); };
  window.input().setDown(kWheelUp, true);
  window.input().setDown(kWheelDown, true);
  window.input().setDown(kSpace, true);
  window.tick();
  window.tick();
  EXPECT_EQ(wheelSeen, (std::vector<bool>{true, false}));
  EXPECT_FALSE(window.input().down(kWheelDown));
  EXPECT_TRUE(window.input().down(kSpace));
  EXPECT_FALSE(window.input().down(-1));
  EXPECT_FALSE(window.input().down(platform::button::kCount));
}

TEST(Window, ShowStopsAfterMaxFramesAndWritesTheScreenshotAtWindowSize) {
  testsupport::TempDir dir;
  const std::string shot = dir.folder() + "shot.png";
  platform::launchSettings() = platform::LaunchSettings{};
  platform::launchSettings().headless = true;
  platform::launchSettings().unthrottled = true;
  platform::launchSettings().maxFrames = 5;
  platform::launchSettings().screenshotPath = shot;
  struct Counting : platform::Window {
    Counting() : Window(120, 90, false, 16.666666) {}
    void draw() override { ++draws; }
    int draws = 0;
  } window;
  window.show();
  platform::launchSettings() = platform::LaunchSettings{};
  EXPECT_EQ(window.draws, 5);
  EXPECT_TRUE(window.closed());
  EXPECT_EQ(window.frameTiming().intervals, 4);
  const platform::Bitmap picture = platform::Bitmap::loadPng(shot);
  EXPECT_EQ(picture.width(), 120);
  EXPECT_EQ(picture.height(), 90);
}

TEST(Window, CloseFromUpdateEndsShowAfterThatFrame) {
  HeadlessWindow window;
  platform::launchSettings().unthrottled = true;
  window.onUpdate = [&] {
    if (window.frameCount() == 2) window.close();
  };
  window.show();
  EXPECT_EQ(window.frameCount(), 3);
  platform::launchSettings() = platform::LaunchSettings{};
}

TEST(Window, ScreenshotWithoutAKeptFrameFailsCleanly) {
  HeadlessWindow window;
  window.setKeepLastFrame(false);
  window.tick();
  testsupport::TempDir dir;
  EXPECT_THROW(window.saveScreenshot(dir.folder() + "none.png"), std::runtime_error);
}

TEST(Window, TextInputIsOnOnlyWhileSomethingAsksForIt) {
  platformtest::HeadlessWindow window;
  bool asking = true;
  window.onDraw = [&] {
    if (asking) window.input().requestTextInput();
  };
  EXPECT_FALSE(window.textInputActive());  // not even at the start, as SDL would have it
  window.tick();
  EXPECT_TRUE(window.textInputActive());
  window.input().typeText("\xc3\xa9");
  EXPECT_EQ(window.input().typedText(), "\xc3\xa9");
  asking = false;
  window.tick();
  EXPECT_FALSE(window.textInputActive());
  EXPECT_TRUE(window.input().typedText().empty());
}
