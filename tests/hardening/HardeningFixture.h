#pragma once
#include <string>

#include "platform/Bitmap.h"
#include "platform/Random.h"
#include "race/RaceFixture.h"

// The race tests' sandbox (a program folder of its own with the shipped pictures and sound, an
// empty tracks folder, an options store that is never saved) with helpers for hand-made files.
class HardeningFixture : public RaceFixture {
 protected:
  void SetUp() override {
    RaceFixture::SetUp();
    platform::setFixedSeed(2024);
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

  // Frames of a running race, drawn as the window would.
  void runFrames(int frames) {
    for (int i = 0; i < frames && race_->isActive(); ++i) {
      race_->updateRace();
      race_->drawRace();
      graphics_->flush();
    }
  }
};
