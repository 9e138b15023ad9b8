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

// Options from a fresh folder (never the real "options.ini"), and a hand-made track: 200 × 300
// cells of road with grass in rows and columns 10..19 (world units 40..80 on both axes).
class PhysicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousFolder_ = platform::programFolder();
    config::Options::destroy(false);
    platform::setProgramFolder(folder_.folder());
    track_.surfaceMap = std::make_unique<track::SurfaceMap>(200, 300);
    for (auto& cell : track_.surfaceMap->cells) cell = track::SurfaceMap::kRoad;
    for (int row = 10; row < 20; ++row) {
      for (int column = 10; column < 20; ++column) track_.surfaceMap->set(row, column, 0);
    }
  }
  void TearDown() override {
    config::Options::destroy(false);
    platform::setProgramFolder(previousFolder_);
  }

  std::unique_ptr<physics::CarPhysics> makeCar(double x, double y, double heading = 0) {
    auto car = std::make_unique<physics::CarPhysics>(track_);
    car->initModel();
    car->setPosition(x, y, heading);
    return car;
  }

  testsupport::TempDir folder_;
  std::string previousFolder_;
  track::TrackData track_;
};

}  // namespace physicstest
