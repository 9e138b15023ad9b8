#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "config/OptionKeys.h"
#include "config/Options.h"
#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "platform/Audio.h"
#include "platform/Bitmap.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "race/RaceData.h"
#include "support/TestSupport.h"
#include "track/TrackLoader.h"

// A program folder of its own for every test: the shipped pictures and sound, the tracks the
// test installs with plain backgrounds, and an options file that is never saved.
class RaceFixture : public ::testing::Test {
 protected:
  // Put back when the test ends: the next test must not run in this one's folder.
  testsupport::ProgramFolderScope programFolderScope_;

  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    namespace fs = std::filesystem;
    const fs::path data = testsupport::dataDir();
    fs::create_directories(dir_.path() / "tracks");
    fs::copy(data / "images", dir_.path() / "images", fs::copy_options::recursive);
    fs::copy(data / "sound", dir_.path() / "sound", fs::copy_options::recursive);
    platform::setProgramFolder(dir_.folder());
    config::Options::destroy(false);
    platform::setFixedSeed(12345);
    graphics_ = std::make_unique<platform::Graphics>(800, 600);
    audio_ = std::make_unique<platform::Audio>();
  }

  void TearDown() override {
    race_.reset();
    gui::FontCache::discard();
    gui::ImageCache::discard();
    config::Options::destroy(false);
  }

  // Copies a shipped track into the test's tracks folder; with `background` it also gets a
  // plain picture of its size under the name the track gives.
  void installTrack(const std::string& file, bool background = true) {
    namespace fs = std::filesystem;
    const fs::path target = dir_.path() / "tracks" / file;
    fs::copy_file(testsupport::tracksDir() + file, target, fs::copy_options::overwrite_existing);
    if (!background) return;
    const auto track = track::importTrack(target.string());
    ASSERT_NE(track, nullptr) << file;
    int width = track->extentX, height = track->extentY;
    for (const auto& p : track->points) {
      width = std::max(width, static_cast<int>(p.x + p.width) + 50);
      height = std::max(height, static_cast<int>(p.y + p.width) + 50);
    }
    platform::Bitmap picture(width, height, 0xff4a7a3au);
    const std::string name =
        track->background.empty() ? fs::path(file).stem().string() + ".png" : track->background;
    picture.savePng((dir_.path() / "tracks" / name).string());
  }

  void setOptions(int cars, int laps, int onlyCpu) {
    config::Options::instance()->setOptionInt(config::key::nrCars, cars);
    config::Options::instance()->setOptionInt(config::key::nrLaps, laps);
    config::Options::instance()->setOptionInt(config::key::onlyCPU, onlyCpu);
  }

  race::RaceData& makeRace(const std::string& trackFile) {
    race_ = std::make_unique<race::RaceData>(*graphics_, input_, *audio_, 16);
    race_->selectTrack(trackFile);
    return *race_;
  }

  // Runs frames until the countdown is over and the first racing frame has run.
  void skipCountdown() {
    while (race_->countdownFrames() >= 0) race_->updateRace();
  }

  testsupport::TempDir dir_;
  std::unique_ptr<platform::Graphics> graphics_;
  std::unique_ptr<platform::Audio> audio_;
  platform::Input input_;
  std::unique_ptr<race::RaceData> race_;
};
