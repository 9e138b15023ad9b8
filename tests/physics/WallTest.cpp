#include <cmath>
#include <string>

#include "PhysicsFixture.h"
#include "physics/PhysicsWorld.h"

namespace physicstest {
namespace {

constexpr double kQuarter = 0.785398163375;

void drive(physics::CarPhysics& car, double steer, int steps) {
  for (int i = 0; i < steps; ++i) {
    car.throttle = 1;
    car.brake = 0;
    car.steer = steer;
    car.update(physics::PhysicsWorld::kTimeStep);
  }
}

// The fixture's map is 300 × 200 cells of 4 world units: 1200 × 800 world units.
struct Border {
  std::string name;
  double x, y, heading;     // a start 40 units from the border, heading into it at 45 degrees
  double normalX, normalY;  // pointing from the border into the map
  double awaySteer;         // the steering that turns the car away from it
};

double distanceFromBorder(const physics::CarPhysics& car, const Border& border) {
  if (border.normalX > 0) return car.getX();
  if (border.normalX < 0) return 1200 - car.getX();
  if (border.normalY > 0) return car.getY();
  return 800 - car.getY();
}

using Walls = PhysicsTest;

TEST_F(Walls, EveryBorderOfTheMapStopsACarThatSlidesAlongAndDrivesAwayAgain) {
  const Border borders[] = {{"right", 1160, 300, kQuarter, -1, 0, 1},
                            {"bottom", 300, 760, kQuarter, 0, -1, -1},
                            {"left", 40, 300, -kQuarter, 1, 0, -1},
                            {"top", 300, 40, 3 * kQuarter, 0, 1, 1}};
  for (const Border& border : borders) {
    SCOPED_TRACE(border.name);
    auto car = makeCar(border.x, border.y, border.heading);
    auto across = [&] {
      return car->velocity().x * border.normalX + car->velocity().y * border.normalY;
    };
    // At the step that meets the border, a few units short of it, the speed across it goes
    // and the speed along it stays.
    drive(*car, 0, 10);
    int steps = 0;
    while (across() < -1e-9 && steps < 300) {
      drive(*car, 0, 1);
      ++steps;
    }
    ASSERT_LT(steps, 300) << "never reached the border";
    EXPECT_GT(distanceFromBorder(*car, border), 0);
    EXPECT_LT(distanceFromBorder(*car, border), 8);
    const physics::Vec2 v = car->velocity();
    EXPECT_GT(std::abs(v.x * border.normalY - v.y * border.normalX), 3);  // metres per second
    // Pressing on, it never crosses the border.
    for (int i = 0; i < 200; ++i) {
      drive(*car, 0, 1);
      ASSERT_GT(distanceFromBorder(*car, border), 0) << i;
    }
    // Turning away, it leaves the border behind.
    drive(*car, border.awaySteer, 200);
    EXPECT_GT(distanceFromBorder(*car, border), 60);
  }
}

TEST_F(Walls, WaterStopsACarAndACarPutIntoAWallMayLeaveIt) {
  for (int row = 0; row < 200; ++row) track_.surfaceMap->set(row, 150, track::SurfaceMap::kWater);
  auto car = makeCar(560, 400, 2 * kQuarter);  // heading straight for the water at x 600
  drive(*car, 0, 300);
  EXPECT_GT(car->getX(), 590);
  EXPECT_LT(car->getX(), 600);
  EXPECT_NEAR(car->velocity().x, 0, 1e-9);

  auto wading = makeCar(602, 400, 2 * kQuarter);  // its centre in the water
  drive(*wading, 0, 100);
  EXPECT_GT(wading->getX(), 620);
  auto outside = makeCar(-30, 400, 2 * kQuarter);  // beyond the map's left border
  drive(*outside, 0, 200);
  EXPECT_GT(outside->getX(), 0);
}

}  // namespace
}  // namespace physicstest
