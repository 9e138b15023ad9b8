// A long race: twelve computer cars for half an hour of simulated time (about 111 600 frames),
// updated and drawn in a hidden window as in the game. Memory must stop growing once the race
// is under way. Far too long for the normal test run, so it is disabled there; tools/soak.sh
// runs it under AddressSanitizer with leak checking. KELVANE_SOAK_MINUTES shortens or lengthens
// it (simulated minutes, default 30).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "HardeningFixture.h"
#include "config/OptionKeys.h"
#include "physics/Car.h"
#include "platform/Window.h"
#include "track/TrackLoader.h"

namespace {

// Resident memory of this process from /proc/self/status: "VmRSS" (now) or "VmHWM" (peak), in
// megabytes; 0 where the system has no such file.
double residentMegabytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) return std::atof(line.c_str() + prefix.size()) / 1024.0;
  }
  return 0.0;
}

int soakMinutes() {
  const char* text = std::getenv("KELVANE_SOAK_MINUTES");
  const int minutes = text ? std::atoi(text) : 30;
  return minutes >= 2 ? minutes : 2;
}

class SoakWindow : public platform::Window {
 public:
  explicit SoakWindow(race::RaceData*& race)
      : Window(1000, 700, false, 1000.0 / 60.0), race_(race) {}
  void update() override { race_->updateRace(); }
  void draw() override { race_->drawRace(); }

 private:
  race::RaceData*& race_;
};

class SoakTest : public HardeningFixture {};

TEST_F(SoakTest, DISABLED_TwelveComputerCarsRaceHalfAnHourWithoutGrowing) {
  namespace fs = std::filesystem;
  const std::string file = "harbour_grid.rst";
  fs::copy_file(testsupport::tracksDir() + file, tracksFolder() + file);
  const auto track = track::importTrack(tracksFolder() + file);
  ASSERT_NE(track, nullptr);
  writeBackground(track->background, track->extentX + 100, track->extentY + 100);
  setOptions(12, 99, 1);
  config::Options::instance()->setOptionInt(config::key::sound, 1);

  platform::launchSettings().headless = true;
  race::RaceData* racePointer = nullptr;
  SoakWindow window(racePointer);
  // The race and the shared caches hold pictures of the window's graphics: they go first,
  // however the test ends.
  struct ReleaseBeforeWindow {
    std::unique_ptr<race::RaceData>& race;
    ~ReleaseBeforeWindow() {
      race.reset();
      gui::FontCache::discard();
      gui::ImageCache::discard();
    }
  } release{race_};
  race_ = std::make_unique<race::RaceData>(window.graphics(), window.input(), window.audio(), 16);
  racePointer = race_.get();
  race_->setScreenSize(1000, 700);
  race_->selectTrack(file);
  ASSERT_TRUE(race_->startRace()) << race_->lastError();

  const int minutes = soakMinutes();
  const int framesPerMinute = race_->framesPerSecond() * 60;
  const auto started = std::chrono::steady_clock::now();
  double residentAfterFirstMinute = 0;
  double peakAfterFirstMinute = 0;
  for (int minute = 1; minute <= minutes && race_->isActive(); ++minute) {
    for (int frame = 0; frame < framesPerMinute && race_->isActive(); ++frame) window.tick();
    const double resident = residentMegabytes("VmRSS");
    const double peak = residentMegabytes("VmHWM");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("simulated minute %d: resident %.1f MB, peak %.1f MB, %.0f s wall, lap %d of %d\n",
                minute, resident, peak, seconds, race_->laps()->lapShown(0), race_->lapCount());
    std::fflush(stdout);
    if (minute == 1) {
      residentAfterFirstMinute = resident;
      peakAfterFirstMinute = peak;
    }
  }
  ASSERT_TRUE(race_->isActive()) << "the race ended early";
  for (int c = 0; c < race_->carCount(); ++c) {
    EXPECT_TRUE(std::isfinite(race_->car(c).getX()) && std::isfinite(race_->car(c).getY()));
  }
  const double residentAtEnd = residentMegabytes("VmRSS");
  const double peakAtEnd = residentMegabytes("VmHWM");
  std::printf(
      "after minute 1: resident %.1f MB, peak %.1f MB; at the end: resident %.1f MB, "
      "peak %.1f MB\n",
      residentAfterFirstMinute, peakAfterFirstMinute, residentAtEnd, peakAtEnd);
  // A few megabytes of allocator and sanitizer bookkeeping come and go; a leak per frame or per
  // lap would add far more over the race.
  EXPECT_LT(residentAtEnd, residentAfterFirstMinute + 24.0);
}

}  // namespace
