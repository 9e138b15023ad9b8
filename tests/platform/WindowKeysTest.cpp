#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "HeadlessWindow.h"
#include "platform/Bitmap.h"
#include "platform/Image.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

using platform::button::kEscape;
using platform::button::kF11;
using platform::button::kF12;
using platform::button::kSpace;
using platformtest::HeadlessWindow;

namespace {

constexpr platform::Color kRed = 0xffff0000u;

// Screenshots of these tests go to a temporary pictures folder, never the tester's own.
class PicturesFolder {
 public:
  PicturesFolder() {
    if (const char* old = std::getenv("XDG_PICTURES_DIR")) old_ = old;
    setenv("XDG_PICTURES_DIR", dir_.path().c_str(), 1);
  }
  ~PicturesFolder() {
    if (old_) {
      setenv("XDG_PICTURES_DIR", old_->c_str(), 1);
    } else {
      unsetenv("XDG_PICTURES_DIR");
    }
  }
  PicturesFolder(const PicturesFolder&) = delete;
  PicturesFolder& operator=(const PicturesFolder&) = delete;
  std::string shots() const { return dir_.folder() + "kelvane/"; }
  const testsupport::TempDir& dir() const { return dir_; }

 private:
  testsupport::TempDir dir_;
  std::optional<std::string> old_;
};

int filesIn(const std::string& folder) {
  std::error_code error;
  int count = 0;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; ++it) {
    ++count;
  }
  return count;
}

}  // namespace

TEST(WindowKeys, F12SavesTheFrameOncePerPressAndSaysWhereForTwoSeconds) {
  PicturesFolder pictures;
  HeadlessWindow window(40, 30);
  window.setKeepLastFrame(false);  // as in the game: frames are read only for a screenshot
  platform::Image red(window.graphics(), platform::Bitmap(40, 30, kRed), false);
  window.onDraw = [&] { red.draw(0, 0, 0); };

  window.input().setDown(kF12, true);
  window.tick();
  const std::string shot = window.lastScreenshot();
  ASSERT_FALSE(shot.empty()) << platform::narrow(window.notice());
  EXPECT_EQ(shot.rfind(pictures.shots() + "kelvane-", 0), 0u) << shot;
  const platform::Bitmap saved = platform::Bitmap::loadPng(shot);
  ASSERT_EQ(saved.width(), 40);
  ASSERT_EQ(saved.height(), 30);
  EXPECT_EQ(saved.getPixel(20, 15) | 0xff000000u, kRed);
  // The frame is not kept once saved.
  EXPECT_EQ(window.lastFrame().width(), 0);
  EXPECT_NE(window.notice().find(platform::widen(shot)), std::wstring::npos);

  // Holding the key takes no more pictures.
  for (int i = 0; i < 10; ++i) window.tick();
  EXPECT_EQ(filesIn(pictures.shots()), 1);

  // The notice goes after two seconds of frames (120 at 60 per second).
  EXPECT_GT(window.noticeFramesLeft(), 0);
  window.input().setDown(kF12, false);
  for (int i = 0; i < 120; ++i) window.tick();
  EXPECT_EQ(window.noticeFramesLeft(), 0);

  // A second press in the same second gets a name of its own.
  window.input().setDown(kF12, true);
  window.tick();
  EXPECT_NE(window.lastScreenshot(), shot);
  EXPECT_EQ(filesIn(pictures.shots()), 2);
}

TEST(WindowKeys, TheNoticeIsNotPartOfTheScreenshotButIsDrawnAfterIt) {
  PicturesFolder pictures;
  HeadlessWindow window(200, 60);
  window.input().setDown(kF12, true);
  window.tick();
  const platform::Bitmap shot = platform::Bitmap::loadPng(window.lastScreenshot());
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      ASSERT_EQ(shot.getPixel(x, y) | 0xff000000u, 0xff000000u) << x << "," << y;
  window.tick();
  bool lit = false;
  for (int y = 0; y < 60 && !lit; ++y)
    for (int x = 0; x < 200 && !lit; ++x) lit = window.pixel(x, y) != 0xff000000u;
  EXPECT_TRUE(lit) << "the notice should be on screen after the screenshot";
}

TEST(WindowKeys, AScreenshotThatCannotBeSavedIsReportedAndTheGameGoesOn) {
  PicturesFolder pictures;
  // A file where the screenshots folder should be: no one can create it, not even root.
  pictures.dir().write("kelvane", "in the way");
  HeadlessWindow window;
  window.input().setDown(kF12, true);
  EXPECT_NO_THROW(window.tick());
  EXPECT_TRUE(window.lastScreenshot().empty());
  EXPECT_EQ(window.notice().rfind(L"Cannot save the screenshot", 0), 0u);
  EXPECT_NO_THROW(window.tick());
}

TEST(WindowKeys, F12OnAFullDiskSaysTheScreenshotFailedAndLeavesNoPicture) {
  PicturesFolder pictures;
  HeadlessWindow window(200, 60);
  {
    testsupport::FileSizeLimit limit(50);
    window.input().setDown(kF12, true);
    window.tick();
  }
  EXPECT_TRUE(window.lastScreenshot().empty());
  EXPECT_EQ(window.notice().rfind(L"Cannot save the screenshot", 0), 0u)
      << platform::narrow(window.notice());
  EXPECT_EQ(filesIn(pictures.shots()), 0);
}

TEST(WindowKeys, F11SwitchesFullScreenOncePerPressAndTheGameStillSeesItsOwnKeys) {
  HeadlessWindow window;
  std::vector<bool> spaceSeen;
  window.onUpdate = [&] { spaceSeen.push_back(window.input().down(kSpace)); };
  const bool before = window.fullscreen();
  window.input().setDown(kF11, true);
  window.input().setDown(kSpace, true);
  window.tick();
  const bool after = window.fullscreen();
  window.tick();  // still held: no second switch
  EXPECT_EQ(window.fullscreen(), after);
  window.input().setDown(kF11, false);
  window.tick();
  window.input().setDown(kF11, true);
  window.tick();
  // The offscreen driver may refuse full screen; then the flag stays as it was, never flips twice.
  if (after != before) {
    EXPECT_EQ(window.fullscreen(), before);
  }
  EXPECT_EQ(spaceSeen, (std::vector<bool>{true, true, true, true}));
}

TEST(WindowKeys, LosingTheFocusReleasesHeldKeysAndTellsTheWindow) {
  struct Watching : HeadlessWindow {
    void focusLost() override {
      ++losses;
      escapeHeldWhenTold = input().down(kEscape);
    }
    int losses = 0;
    bool escapeHeldWhenTold = true;
  } window;
  window.input().setDown(kEscape, true);
  window.input().setDown(kF12, true);
  window.notifyFocusLost();
  EXPECT_EQ(window.losses, 1);
  EXPECT_FALSE(window.escapeHeldWhenTold);
  EXPECT_FALSE(window.input().down(kF12));
}
