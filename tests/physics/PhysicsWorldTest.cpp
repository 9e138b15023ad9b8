#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

#include "PhysicsFixture.h"
#include "physics/PhysicsWorld.h"

namespace physicstest {
namespace {

// Separating-axis reference on the cars as drawn (length along (sin h, cos h)): the largest gap
// between the projections on any edge direction; negative when they overlap.
double separation(const physics::CarPhysics& p, const physics::CarPhysics& q) {
  double gap = -1e300;
  for (double h : {p.heading(), q.heading()}) {
    for (int axis = 0; axis < 2; ++axis) {
      const double ax = axis == 0 ? std::sin(h) : std::cos(h);
      const double ay = axis == 0 ? std::cos(h) : -std::sin(h);
      double lo[2], hi[2];
      int k = 0;
      for (const physics::CarPhysics* car : {&p, &q}) {
        const double g = car->heading();
        // Half extents of the car projected on the axis.
        const double reach = std::abs(std::sin(g) * ax + std::cos(g) * ay) * car->getLength() / 2 +
                             std::abs(std::cos(g) * ax - std::sin(g) * ay) * car->getWidth() / 2;
        const double centre = car->getX() * ax + car->getY() * ay;
        lo[k] = centre - reach;
        hi[k++] = centre + reach;
      }
      gap = std::max({gap, lo[1] - hi[0], lo[0] - hi[1]});
    }
  }
  return gap;
}

using Contact = PhysicsTest;

TEST_F(Contact, SideBySideAndNoseToTail) {
  auto p = makeCar(100, 100);
  // {x, y, touching}: inner circles, outer bound, and the rectangles in between.
  const double cases[][3] = {{107, 100, 1}, {125, 100, 0},   {100, 116, 1},
                             {100, 117, 0}, {107.9, 100, 1}, {108.1, 100, 0}};
  for (const auto& c : cases) {
    auto q = makeCar(c[0], c[1]);
    EXPECT_EQ(physics::PhysicsWorld::touching(*p, *q), c[2] != 0) << c[0] << ", " << c[1];
    EXPECT_EQ(physics::PhysicsWorld::touching(*q, *p), c[2] != 0) << c[0] << ", " << c[1];
  }
}

TEST_F(Contact, TurnedCarsFrontEdgeAgainstAStraightCarsCorner) {
  // Turned by a quarter turn and moved along the diagonal, the front edge meets the straight
  // car's corner (4, 8.25) at 8.25 + 12.25 / √2 from its centre.
  auto straight = makeCar(0, 0);
  const double meet = 8.25 + 12.25 / std::sqrt(2.0);
  for (double along : {meet - 0.1, meet + 0.1}) {
    auto turned = makeCar(along / std::sqrt(2.0), along / std::sqrt(2.0), 0.785398163375);
    EXPECT_EQ(physics::PhysicsWorld::touching(*straight, *turned), along < meet) << along;
    EXPECT_EQ(physics::PhysicsWorld::touching(*turned, *straight), along < meet) << along;
  }
}

TEST_F(Contact, AgreesWithASeparatingAxisTestOffTheBoundary) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> angle(-7, 7), distance(7.5, 25), direction(0, 6.3);
  for (int i = 0; i < 20000; ++i) {
    auto p = makeCar(500, 500, angle(random));
    const double d = distance(random), e = direction(random);
    auto q = makeCar(500 + d * std::cos(e), 500 + d * std::sin(e), angle(random));
    const double gap = separation(*p, *q);
    if (std::abs(gap) < 1e-3) continue;  // within the single-precision rounding
    ASSERT_EQ(physics::PhysicsWorld::touching(*p, *q), gap < 0)
        << "headings " << p->heading() << ", " << q->heading() << "; q at " << q->getX() << ", "
        << q->getY();
  }
}

TEST_F(Contact, TouchingCarsArePushedApartByTheOthersWeightAndSpeed) {
  auto left = makeCar(100, 100), middle = makeCar(107, 100), right = makeCar(114, 100);
  auto apart = makeCar(300, 100);
  physics::PhysicsWorld world;
  for (auto* car : {left.get(), middle.get(), right.get(), apart.get()}) world.registerCar(*car);
  left->speed = 0.5;                 // impact factor 0.5: pushes with 1500 × 0.5 / 10 = 75 m/s²
  middle->speed = right->speed = 3;  // impact factor 1: 150 m/s²
  world.step();
  EXPECT_NEAR(left->velocity().x, -150 * physics::PhysicsWorld::kTimeStep, 1e-12);
  EXPECT_NEAR(middle->velocity().x, (75 - 150) * physics::PhysicsWorld::kTimeStep, 1e-12);
  EXPECT_NEAR(right->velocity().x, 150 * physics::PhysicsWorld::kTimeStep, 1e-12);
  EXPECT_EQ(apart->velocity().x, 0);
  EXPECT_EQ(left->getPreviousX(), 100);  // every car stepped once
}

TEST_F(Contact, EachCarIsPushedStraightAwayFromTheOtherOnEverySide) {
  // Where the second car touches the first: beside, behind, ahead (above on the screen) and
  // at both diagonals.
  const double offsets[][2] = {{7, 0}, {-7, 0}, {0, 16}, {0, -16}, {5, 12}, {-6, -10}};
  for (const auto& offset : offsets) {
    auto first = makeCar(100, 100), second = makeCar(100 + offset[0], 100 + offset[1]);
    ASSERT_TRUE(physics::PhysicsWorld::touching(*first, *second));
    first->speed = second->speed = 3;
    physics::PhysicsWorld world;
    world.registerCar(*first);
    world.registerCar(*second);
    world.step();
    const double distance = std::hypot(offset[0], offset[1]);
    const double awayX = offset[0] / distance, awayY = offset[1] / distance;
    for (const auto& [car, sign] : {std::pair{first.get(), -1.0}, std::pair{second.get(), 1.0}}) {
      const double vx = car->velocity().x, vy = car->velocity().y;
      const double speed = std::hypot(vx, vy);
      ASSERT_GT(speed, 0) << offset[0] << ", " << offset[1];
      EXPECT_NEAR((vx * awayX + vy * awayY) * sign / speed, 1.0, 1e-6)
          << "pushed towards the other car at " << offset[0] << ", " << offset[1];
    }
  }
}

}  // namespace
}  // namespace physicstest
