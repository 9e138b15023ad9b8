#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

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

// A program folder of its own with the shipped pictures and sound, an empty tracks folder and a
// fresh options store that is never saved, plus what a race needs to run without a window.
class HardeningFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    namespace fs = std::filesystem;
    const fs::path data = testsupport::dataDir();
    fs::create_directories(dir_.path() / "tracks");
    fs::copy(data / "images", dir_.path() / "images", fs::copy_options::recursive);
    fs::copy(data / "sound", dir_.path() / "sound", fs::copy_options::recursive);
    platform::setProgramFolder(dir_.folder());
    Options::destroy(false);
    platform::setFixedSeed(2024);
    graphics_ = std::make_unique<platform::Graphics>(800, 600);
    audio_ = std::make_unique<platform::Audio>();
  }

  void TearDown() override {
    race_.reset();
    FontCache::discard();
    ImageCache::discard();
    Options::destroy(false);
  }

  std::string tracksFolder() const { return dir_.folder() + "tracks/"; }

  // Writes a track file into the tracks folder and returns its full path.
  std::string writeTrack(const std::string& file, const std::string& contents) const {
    return dir_.write("tracks/" + file, contents);
  }

  // A plain picture in the tracks folder, for a track's background.
  void writeBackground(const std::string& file, int width = 600, int height = 400) const {
    platform::Bitmap picture(width, height, 0xff4a7a3au);
    picture.savePng(tracksFolder() + file);
  }

  void setOptions(int cars, int laps, int onlyCpu) {
    Options::instance()->setOptionInt("nrCars", cars);
    Options::instance()->setOptionInt("nrLaps", laps);
    Options::instance()->setOptionInt("onlyCPU", onlyCpu);
  }

  race::RaceData& makeRace(const std::string& trackFile) {
    race_ = std::make_unique<race::RaceData>(*graphics_, input_, *audio_, 16);
    race_->selectTrack(trackFile);
    return *race_;
  }

  // Frames of a running race, drawn as the window would.
  void runFrames(int frames) {
    for (int i = 0; i < frames && race_->isActive(); ++i) {
      race_->updateRace();
      race_->drawRace();
      graphics_->flush();
    }
  }

  testsupport::TempDir dir_;
  std::unique_ptr<platform::Graphics> graphics_;
  std::unique_ptr<platform::Audio> audio_;
  platform::Input input_;
  std::unique_ptr<race::RaceData> race_;
};
