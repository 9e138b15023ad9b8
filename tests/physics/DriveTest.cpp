#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PhysicsFixture.h"
#include "physics/PhysicsWorld.h"
#include "physics/StartPosition.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace physicstest {
namespace {

class ShippedTrackDrive : public PhysicsTest {
 protected:
  void SetUp() override {
    PhysicsTest::SetUp();
    std::string reason;
    shipped_ = track::importTrack(testsupport::tracksDir() + "meadow_loop.rst", &reason);
    ASSERT_TRUE(shipped_) << reason;
    shipped_->surfaceMap = track::buildSurfaceMap(*shipped_, 4);
    ASSERT_GT(shipped_->positionCount(), 0u);
  }

  // On grid slot 0 as the race sets it up: the front of the car on the start position.
  std::unique_ptr<physics::CarPhysics> carOnGrid() {
    auto car = std::make_unique<physics::CarPhysics>(*shipped_);
    car->initModel();
    physics::placeOnStartPosition(*car, shipped_->positionAt(0));
    return car;
  }

  // Speeds after each step; fails at the first value that is not finite.
  static std::vector<double> drive(physics::CarPhysics& car, double throttle, double steer,
                                   int steps) {
    std::vector<double> speeds;
    for (int i = 0; i < steps; ++i) {
      car.throttle = throttle;
      car.brake = 0;
      car.steer = steer;
      car.update(physics::PhysicsWorld::kTimeStep);
      EXPECT_TRUE(
          std::isfinite(car.getX() + car.getY() + car.heading() + car.speed + car.getDriftAngle()))
          << "step " << i;
      speeds.push_back(car.speed);
    }
    return speeds;
  }

  std::unique_ptr<track::TrackData> shipped_;
};

TEST_F(ShippedTrackDrive, FullThrottleFromTheGridConvergesToATopSpeed) {
  auto car = carOnGrid();
  EXPECT_NE(car->getSurface(), track::SurfaceMap::kGrass) << "the grid slot lies on the road";
  const std::vector<double> speeds = drive(*car, 1, 0, 90 * 100);
  for (int i = 1; i < 100; ++i) ASSERT_GT(speeds[i], speeds[i - 1]) << i;
  // Off the road at the first bend, it crosses the grass at the grass's top speed (where
  // 10000 N = 1500 v + 5 v²) and ends against the edge of the map, which it never leaves.
  const double grassLimit = (-300 + std::sqrt(300.0 * 300 + 4 * 2000.0)) / 2;
  const auto onGrass = std::find_if(speeds.begin(), speeds.end(), [&](double speed) {
    return std::abs(speed - grassLimit) < 0.05;
  });
  EXPECT_NE(onGrass, speeds.end());
  EXPECT_LE(*std::max_element(speeds.begin(), speeds.end()),
            (-6 + std::sqrt(36 + 4 * 2000.0)) / 2 + 1e-6);
  // Pressed against it, the car only rubs along it.
  EXPECT_LT(*std::max_element(speeds.end() - 500, speeds.end()), 1.0);
  const track::SurfaceMap& map = *shipped_->surfaceMap;
  EXPECT_GT(car->getX(), 0);
  EXPECT_GT(car->getY(), 0);
  EXPECT_LT(car->getX(), map.columns * 4.0);
  EXPECT_LT(car->getY(), map.rows * 4.0);
}

TEST_F(ShippedTrackDrive, FullSteeringAtSpeedRotatesAndDrifts) {
  auto car = carOnGrid();
  drive(*car, 1, 0, 150);  // 1.5 s, still on the start straight
  ASSERT_GT(car->speed, 8);
  const double heading = car->heading();
  double largestDrift = 0;
  for (int i = 0; i < 100; ++i) {
    drive(*car, 1, -1, 1);  // full left: counter-clockwise as the driver sees it
    largestDrift = std::max(largestDrift, car->getDriftAngle());
  }
  EXPECT_GT(car->heading() - heading, 0.5);
  EXPECT_GT(largestDrift, 0.05);
}

}  // namespace
}  // namespace physicstest
