#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "RaceFixture.h"
#include "platform/Buttons.h"
#include "platform/Window.h"

namespace {

// The race in a real (hidden, software-rendered) window, as the game shows it.
class RaceWindow : public platform::Window {
 public:
  RaceWindow() : Window(800, 600, false, 1000.0 / 60.0) { setKeepLastFrame(true); }
  race::RaceData* race = nullptr;
  void update() override { race->updateRace(); }
  void draw() override { race->drawRace(); }
};

int distinctColours(const platform::Bitmap& frame, int x0, int y0, int x1, int y1) {
  std::set<platform::Color> colours;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) colours.insert(frame.getPixel(x, y));
  return static_cast<int>(colours.size());
}

// Screenshots of the start, the race with its instruments and the result screen. They are
// written to KELVANE_SCREENSHOT_DIR when it is set (a "meadow_loop.png" there is used as the
// background), otherwise to the test's own folder.
TEST_F(RaceFixture, ScreenshotsOfStartRaceAndResults) {
  platform::launchSettings().headless = true;
  installTrack("meadow_loop.rst");
  const char* shotDir = std::getenv("KELVANE_SCREENSHOT_DIR");
  const std::string out = shotDir ? std::string(shotDir) + "/" : dir_.folder();
  namespace fs = std::filesystem;
  if (shotDir && fs::is_regular_file(out + "meadow_loop.png"))
    fs::copy_file(out + "meadow_loop.png", dir_.folder() + "tracks/meadow_loop.png",
                  fs::copy_options::overwrite_existing);

  setOptions(4, 2, 1);
  RaceWindow window;
  race_ = std::make_unique<race::RaceData>(window.graphics(), window.input(), window.audio(), 16);
  race_->selectTrack("meadow_loop.rst");
  ASSERT_TRUE(race_->startRace()) << race_->lastError();
  window.race = race_.get();

  for (int i = 0; i < 60; ++i) window.tick();
  window.saveScreenshot(out + "race_countdown.png");
  const platform::Bitmap countdown = window.lastFrame();
  // The digit stands white on its shadow in the middle of the screen.
  EXPECT_GT(distinctColours(countdown, 390, 230, 430, 290), 2);

  while (race_->countdownFrames() > -1200) race_->updateRace();
  window.input().setDown(platform::button::kBackspace, true);
  window.tick();
  window.input().setDown(platform::button::kBackspace, false);
  for (int i = 0; i < 62; ++i) window.tick();
  ASSERT_TRUE(race_->showInstruments());
  window.saveScreenshot(out + "race_midrace.png");
  const platform::Bitmap midRace = window.lastFrame();
  EXPECT_GT(distinctColours(midRace, 730, 520, 800, 600), 3);  // the instrument panel

  // The watched car finishes: the result screen comes up by itself.
  while (!race_->laps()->finished(0) && race_->countdownFrames() > -62 * 600) race_->updateRace();
  window.input().setMouse(420, 300);
  for (int i = 0; i < 30; ++i) window.tick();
  ASSERT_TRUE(race_->resultScreenShown());
  window.saveScreenshot(out + "race_results.png");
  // The list box covers what was the race picture in the middle of the screen.
  int changed = 0;
  const platform::Bitmap& results = window.lastFrame();
  for (int y = 100; y < 400; y += 10)
    for (int x = 160; x < 640; x += 10) changed += results.getPixel(x, y) != midRace.getPixel(x, y);
  EXPECT_GT(changed, 1000);
  race_.reset();
  platform::launchSettings().headless = false;
}

}  // namespace
