#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/Options.h"
#include "physics/CarPhysics.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"
#include "track/TrackData.h"

namespace physicstest {

// Cells of the hand-made map: a block of road with a patch of grass inside it.
constexpr std::uint32_t kRows = 200;
constexpr std::uint32_t kColumns = 300;

// A track whose surface map is road everywhere (cell 3) except the rectangle of grass cells
// rows 10..19, columns 10..19 (world units 40..80 on both axes).
inline std::unique_ptr<TrackData> makeRoadTrack() {
  auto track = std::make_unique<TrackData>();
  track->surfaceMap = std::make_unique<SurfaceMap>(kRows, kColumns);
  for (auto& cell : track->surfaceMap->cells) cell = 3;
  for (int row = 10; row < 20; ++row) {
    for (int column = 10; column < 20; ++column) track->surfaceMap->set(row, column, 0);
  }
  track->extentX = static_cast<std::int32_t>(kColumns * 4);
  track->extentY = static_cast<std::int32_t>(kRows * 4);
  return track;
}

// Options from a fresh "options.ini" in a temporary folder, so no test touches the real one.
class PhysicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousFolder_ = platform::programFolder();
    Options::destroy(false);
    platform::setProgramFolder(folder_.folder());
    track_ = makeRoadTrack();
  }
  void TearDown() override {
    Options::destroy(false);
    platform::setProgramFolder(previousFolder_);
  }

  // A car as the race creates it, standing at (x, y) world units.
  std::unique_ptr<CarPhysics> makeCar(double x, double y, double heading = 0) {
    auto car = std::make_unique<CarPhysics>(*track_);
    car->initModel();
    car->setPosition(x, y, heading);
    return car;
  }

  void setWeather(const std::string& key, const std::string& value) {
    Options::instance()->ini().setValue(" Weather Conditions ", key, value, true);
  }

  testsupport::TempDir folder_;
  std::string previousFolder_;
  std::unique_ptr<TrackData> track_;
};

}  // namespace physicstest
