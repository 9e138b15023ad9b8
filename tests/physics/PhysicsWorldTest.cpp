#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "PhysicsFixture.h"
#include "physics/PhysicsWorld.h"
#include "physics/RectangleContact.h"

namespace physicstest {
namespace {

struct Point {
  double x, y;
};

// The four corners of a car as it is drawn: length along (sin h, cos h), width along
// (cos h, -sin h).
std::array<Point, 4> corners(const CarPhysics& car) {
  const double h = car.heading();
  const Point forward{std::sin(h) * car.getLength() / 2, std::cos(h) * car.getLength() / 2};
  const Point across{std::cos(h) * car.getWidth() / 2, -std::sin(h) * car.getWidth() / 2};
  std::array<Point, 4> result;
  int i = 0;
  for (int f : {-1, 1}) {
    for (int a : {-1, 1}) {
      result[i++] = {car.getX() + f * forward.x + a * across.x,
                     car.getY() + f * forward.y + a * across.y};
    }
  }
  return result;
}

// Separating-axis reference: the largest gap between the two rectangles' projections on any
// of their edge directions; negative when they overlap.
double separation(const CarPhysics& p, const CarPhysics& q) {
  const auto cp = corners(p);
  const auto cq = corners(q);
  double gap = -std::numeric_limits<double>::infinity();
  for (double h : {p.heading(), q.heading()}) {
    for (Point axis : {Point{std::sin(h), std::cos(h)}, Point{std::cos(h), -std::sin(h)}}) {
      double minP = 1e300, maxP = -1e300, minQ = 1e300, maxQ = -1e300;
      for (const auto& c : cp) {
        const double d = c.x * axis.x + c.y * axis.y;
        minP = std::min(minP, d);
        maxP = std::max(maxP, d);
      }
      for (const auto& c : cq) {
        const double d = c.x * axis.x + c.y * axis.y;
        minQ = std::min(minQ, d);
        maxQ = std::max(maxQ, d);
      }
      gap = std::max(gap, std::max(minQ - maxP, minP - maxQ));
    }
  }
  return gap;
}

using Contact = PhysicsTest;

TEST_F(Contact, SideBySideAndNoseToTail) {
  auto p = makeCar(100, 100);
  auto sideBySide = makeCar(107, 100);
  auto farBeside = makeCar(125, 100);
  auto behind16 = makeCar(100, 116);
  auto behind17 = makeCar(100, 117);
  EXPECT_TRUE(PhysicsWorld::touching(*p, *sideBySide));
  EXPECT_FALSE(PhysicsWorld::touching(*p, *farBeside));
  EXPECT_TRUE(PhysicsWorld::touching(*p, *behind16));
  EXPECT_FALSE(PhysicsWorld::touching(*p, *behind17));
  // Either order of the pair.
  EXPECT_TRUE(PhysicsWorld::touching(*behind16, *p));
  EXPECT_FALSE(PhysicsWorld::touching(*behind17, *p));
  // Side by side beyond the inner circles: only the rectangles decide.
  EXPECT_TRUE(PhysicsWorld::touching(*p, *makeCar(107.9, 100)));
  EXPECT_FALSE(PhysicsWorld::touching(*p, *makeCar(108.1, 100)));
}

TEST_F(Contact, CornerOfATurnedCarAgainstACornerOfAStraightOne) {
  // The turned car's front edge faces the straight car's corner (4, 8.25) along the diagonal:
  // they meet when the turned car's centre is 8.25 + 12.25 / √2 along it (about 16.91).
  const double quarterTurn = 0.785398163375;
  auto straight = makeCar(0, 0);
  const double meet = 8.25 + 12.25 / std::sqrt(2.0);
  for (double along : {meet - 0.1, meet + 0.1}) {
    auto turned = makeCar(along / std::sqrt(2.0), along / std::sqrt(2.0), quarterTurn);
    EXPECT_EQ(PhysicsWorld::touching(*straight, *turned), along < meet) << along;
    EXPECT_EQ(PhysicsWorld::touching(*turned, *straight), along < meet) << along;
  }
}

TEST_F(Contact, AgreesWithASeparatingAxisTestEverywhereOffTheBoundary) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> angle(-7, 7);
  std::uniform_real_distribution<double> distance(7.5, 25);
  std::uniform_real_distribution<double> direction(0, 6.283185307);
  int decidedByRectangles = 0;
  for (int i = 0; i < 20000; ++i) {
    auto p = makeCar(500, 500, angle(random));
    const double d = distance(random);
    const double e = direction(random);
    auto q = makeCar(500 + d * std::cos(e), 500 + d * std::sin(e), angle(random));
    const double gap = separation(*p, *q);
    // The rectangle test works partly in single precision: skip pairs within its rounding.
    if (std::abs(gap) < 1e-3) continue;
    if (d > 8) ++decidedByRectangles;
    ASSERT_EQ(PhysicsWorld::touching(*p, *q), gap < 0)
        << "p heading " << p->heading() << ", q at (" << q->getX() << ", " << q->getY()
        << ") heading " << q->heading() << ", gap " << gap;
  }
  EXPECT_GT(decidedByRectangles, 10000);
}

TEST(RectangleContact, TouchingEdgesCount) {
  const ContactRectangle p{0, 0, 4, 8, 0};
  EXPECT_TRUE(rectanglesTouch(p, {8, 0, 4, 8, 0}));
  EXPECT_FALSE(rectanglesTouch(p, {8.01, 0, 4, 8, 0}));
  EXPECT_TRUE(rectanglesTouch(p, {0, -16, 4, 8, 0}));
  EXPECT_FALSE(rectanglesTouch(p, {0, -16.01, 4, 8, 0}));
}

using World = PhysicsTest;

TEST_F(World, TouchingCarsArePushedApartByTheOthersWeightAndSpeed) {
  auto left = makeCar(100, 100);
  auto right = makeCar(107, 100);
  PhysicsWorld world;
  world.registerCar(*left);
  world.registerCar(*right);
  EXPECT_EQ(world.count(), 2);
  left->speed = 0.5;  // impact factor 0.5: pushes the other with 1500 × 0.5 / 10
  right->speed = 3;   // impact factor 1: pushes with 150 m/s²
  world.step();
  EXPECT_NEAR(left->velocity().x, -150 * PhysicsWorld::kTimeStep, 1e-12);
  EXPECT_NEAR(right->velocity().x, 75 * PhysicsWorld::kTimeStep, 1e-12);
  EXPECT_NEAR(left->velocity().y, 0, 1e-12);
  EXPECT_EQ(left->pendingPush().x, 0);  // used up by the step
}

TEST_F(World, ACarBetweenTwoOthersCollectsBothPushes) {
  auto left = makeCar(100, 100);
  auto middle = makeCar(107, 100);
  auto right = makeCar(114, 100);
  auto apart = makeCar(300, 100);
  PhysicsWorld world;
  for (auto* car : {left.get(), middle.get(), right.get(), apart.get()}) {
    car->speed = 2;
    world.registerCar(*car);
  }
  world.step();
  EXPECT_NEAR(middle->velocity().x, 0, 1e-12);  // equal pushes from both sides
  EXPECT_LT(left->velocity().x, 0);
  EXPECT_GT(right->velocity().x, 0);
  EXPECT_EQ(apart->velocity().x, 0);
  EXPECT_EQ(apart->velocity().y, 0);
}

TEST_F(World, StepsEveryCarByTheFixedTimeStep) {
  EXPECT_EQ(PhysicsWorld::kTimeStep, 0.009999999776482582);
  auto a = makeCar(100, 100);
  auto b = makeCar(300, 100);
  CarPhysics reference = *b;
  PhysicsWorld world;
  world.registerCar(*a);
  world.registerCar(*b);
  b->throttle = 1;
  reference.throttle = 1;
  world.step();
  reference.update(0.01f);
  EXPECT_EQ(b->getY(), reference.getY());
  EXPECT_EQ(b->getPreviousY(), 100);
  EXPECT_DOUBLE_EQ(b->throttle, 100);
  EXPECT_EQ(a->getY(), 100);
}

}  // namespace
}  // namespace physicstest
