// A race set up from a hand-edited "options.ini" and a damaged installation: absurd numbers for
// every setting the race reads, pictures and sound that are missing or not what their name
// says. The race either runs (with the value brought into range, or without the missing piece)
// or refuses to start with a message naming what is wrong.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "HardeningFixture.h"
#include "config/IniFile.h"
#include "config/OptionKeys.h"
#include "physics/Car.h"
#include "physics/CarPhysics.h"
#include "platform/Buttons.h"
#include "track/Geometry.h"
#include "track/TrackData.h"
#include "track/TrackLimits.h"
#include "track/TrackLoader.h"

namespace {

class RaceInputTest : public HardeningFixture {
 protected:
  void SetUp() override {
    HardeningFixture::SetUp();
    std::ostringstream track;
    track << "<track><title>Oval</title><background>oval.png</background>";
    const double xs[] = {100, 300, 500, 560, 500, 300, 100, 40};
    const double ys[] = {100, 80, 100, 200, 300, 320, 300, 200};
    for (int i = 0; i < 8; ++i) {
      track << "<point><x>" << xs[i] << "</x><y>" << ys[i]
            << "</y><width>70</width><offset>0</offset><rotation>0</rotation></point>";
    }
    for (int i = 0; i < 4; ++i) {
      track << "<position><x>" << 90 - 25 * i << "</x><y>" << 100 + (i % 2) * 20
            << "</y><rotation>0</rotation></position>";
    }
    track << "</track>";
    writeTrack("oval.rst", track.str());
    writeBackground("oval.png");
  }

  // Starts a race on the oval (none of these settings is a reason to refuse one), runs it for a
  // while and checks it made sense.
  void startAndRun(const std::string& what) {
    race::RaceData& race = makeRace("oval.rst");
    ASSERT_TRUE(race.startRace()) << what << ": " << race.lastError();
    EXPECT_GE(race.lapCount(), 1) << what;
    EXPECT_LE(race.lapCount(), 99) << what;
    EXPECT_GE(race.carCount(), 1) << what;
    runFrames(200);
    for (int i = 0; i < race.carCount(); ++i) {
      EXPECT_TRUE(std::isfinite(race.car(i).getX()) && std::isfinite(race.car(i).getY())) << what;
    }
    race.endRace();
  }

  void removeFile(const std::string& relative) { std::filesystem::remove(dir_.path() / relative); }
};

TEST_F(RaceInputTest, CarAndLapCountsOutOfRangeAreClampedOrRefused) {
  struct Case {
    int cars, laps;
  };
  // The player's own car only (no computer driver to train), so each start is quick.
  const Case cases[] = {{INT_MIN, INT_MAX}, {-1, 0}, {0, -1},     {1, INT_MIN},
                        {4, 100000},        {5, 2},  {100000, 1}, {INT_MAX, INT_MAX}};
  for (const Case& c : cases) {
    setOptions(c.cars, c.laps, 0);
    race::RaceData& race = makeRace("oval.rst");
    const bool started = race.startRace();
    const std::string what = "cars " + std::to_string(c.cars) + ", laps " + std::to_string(c.laps);
    if (c.cars > 4) {
      // More cars than start positions: refused, and the player is told why.
      EXPECT_FALSE(started) << what;
      EXPECT_NE(race.lastError().find("start positions"), std::string::npos) << what;
      continue;
    }
    ASSERT_TRUE(started) << what << ": " << race.lastError();
    EXPECT_EQ(race.carCount(), c.cars < 1 ? 1 : c.cars) << what;
    EXPECT_EQ(race.lapCount(), c.laps < 1 ? 1 : 99) << what;
    runFrames(30);
    race.endRace();
  }
}

// The player's car alone, driven hard through a curve onto the grass and back, so that the
// surfaces, tire marks and engine sound are all in play without a computer driver to train.
TEST_F(RaceInputTest, EveryOtherRaceSettingToleratesAbsurdValues) {
  const char* graphicsKeys[] = {"tireMarks", "tireMarksDepth", "tireMarksMaxDarkness",
                                "tireMarksQuality"};
  const char* weatherKeys[] = {"dry_tarmac_grip", "dry_tarmac_resistance", "dry_grass_grip",
                               "dry_grass_resistance"};
  auto drive = [this](const std::string& what) {
    input_.setDown(platform::button::kUp, true);
    input_.setDown(platform::button::kLeft, true);
    startAndRun(what);
    input_.setDown(platform::button::kUp, false);
    input_.setDown(platform::button::kLeft, false);
  };
  for (int value : {INT_MIN, 0, INT_MAX}) {
    setOptions(1, 1, 0);
    config::CIniFile& ini = config::Options::instance()->ini();
    ini.setValueInt(config::Options::kOptionsSection, config::key::sound, value);
    for (const char* key : graphicsKeys)
      ini.setValueInt(config::Options::kGraphicsSection, key, value);
    for (const char* key : weatherKeys)
      ini.setValueInt(config::Options::kWeatherSection, key, value);
    drive("every setting " + std::to_string(value));
  }
  // A weather type without surface keys gives zero grip and resistance everywhere.
  setOptions(1, 1, 0);
  config::Options::instance()->ini().setValue(config::Options::kWeatherSection,
                                              config::key::weatherType, "snow", true);
  drive("weather snow");
}

// Resistance is a damping force: however large the number in the file, it may stop a sliding
// car but never throw it back faster than it came (which, step after step, ended at infinity).
TEST_F(RaceInputTest, AHugeResistanceStopsASlidingCarInsteadOfFlingingIt) {
  config::CIniFile& ini = config::Options::instance()->ini();
  ini.setValueInt(config::Options::kWeatherSection, "dry_grass_resistance", INT_MAX);
  ini.setValueInt(config::Options::kWeatherSection, "dry_grass_grip", INT_MAX);
  track::TrackData grassOnly;  // no surface map: everything is grass
  physics::CarPhysics car(grassOnly);
  car.initModel();
  car.setPosition(100, 100, 0);
  car.push(30, 90, 100);  // from the left: the car slides sideways
  car.update(0.01);
  const double pushedSpeed = std::hypot(car.velocity().x, car.velocity().y);
  for (int i = 0; i < 200; ++i) {
    car.update(0.01);
    const double speed = std::hypot(car.velocity().x, car.velocity().y);
    ASSERT_TRUE(std::isfinite(car.getX()) && std::isfinite(car.getY())) << "step " << i;
    ASSERT_LE(speed, pushedSpeed + 1e-9) << "step " << i;
  }
}

TEST_F(RaceInputTest, MissingOrBrokenBackgroundStopsTheStartWithTheFileName) {
  setOptions(2, 1, 1);
  removeFile("tracks/oval.png");
  race::RaceData& missing = makeRace("oval.rst");
  EXPECT_FALSE(missing.startRace());
  EXPECT_NE(missing.lastError().find("oval.png"), std::string::npos) << missing.lastError();

  dir_.write("tracks/oval.png", "this is not a picture");
  race::RaceData& broken = makeRace("oval.rst");
  EXPECT_FALSE(broken.startRace());
  EXPECT_NE(broken.lastError().find("oval.png"), std::string::npos) << broken.lastError();

  // A truncated PNG: right signature, no data.
  platform::Bitmap(40, 40, 0xff00ff00u).savePng(tracksFolder() + "whole.png");
  const std::string whole = testsupport::readFile(tracksFolder() + "whole.png");
  dir_.write("tracks/oval.png", whole.substr(0, whole.size() / 2));
  race::RaceData& truncated = makeRace("oval.rst");
  EXPECT_FALSE(truncated.startRace());
  EXPECT_NE(truncated.lastError().find("oval.png"), std::string::npos) << truncated.lastError();
}

TEST_F(RaceInputTest, MissingPicturesAndSoundLeaveARaceThatRuns) {
  setOptions(2, 1, 1);
  config::Options::instance()->setOptionInt(config::key::sound, 1);
  // A player's own car picture that is gone, or names a path outside the cars folder.
  config::Options::instance()->setPlayersString("player1_image", "no_such_car.png");
  config::Options::instance()->setPlayersString("player2_image", "../../../../etc/passwd");
  // The instrument pictures and the engine sound: gone or garbage.
  removeFile("images/gui/powerbar.png");
  dir_.write("images/gui/steer_bar.png", std::string(100, '\x89'));
  dir_.write("sound/viper_offhigh.wav", "RIFF\x10\0\0\0WAVEjunk");
  startAndRun("missing pictures and sound");
  ASSERT_NE(race_, nullptr);

  // Without even the shipped car picture there is nothing to draw a car with.
  removeFile("images/cars/enzo.png");
  race::RaceData& race = makeRace("oval.rst");
  EXPECT_FALSE(race.startRace());
  EXPECT_NE(race.lastError().find("enzo.png"), std::string::npos) << race.lastError();
}

TEST_F(RaceInputTest, ShippedTracksStayFarBelowTheDrawingLimit) {
  // The limit that refuses zigzag files must never come near a real track.
  for (const auto& entry : std::filesystem::directory_iterator(testsupport::tracksDir())) {
    if (entry.path().extension() != ".rst") continue;
    const auto track = track::importTrack(entry.path().string());
    ASSERT_NE(track, nullptr) << entry.path();
    EXPECT_LT(track::rasterisedCells(*track, track::limits::kMinCellSize),
              track::limits::kMaxRasterCells / 50)
        << entry.path();
  }
}

}  // namespace
