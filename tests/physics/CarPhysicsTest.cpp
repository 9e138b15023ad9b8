#include <cmath>

#include "PhysicsFixture.h"
#include "physics/PhysicsWorld.h"

namespace physicstest {
namespace {

constexpr double kDt = PhysicsWorld::kTimeStep;
constexpr double kMass = 1500.0;

// Full throttle straight down the screen until the car rolls at a good speed.
void accelerate(CarPhysics& car, int steps) {
  for (int i = 0; i < steps; ++i) {
    car.throttle = 1;
    car.brake = 0;
    car.steer = 0;
    car.update(kDt);
  }
}

using CarStep = PhysicsTest;

TEST_F(CarStep, StandsStillWithoutInput) {
  auto car = makeCar(400, 300);
  for (int i = 0; i < 200; ++i) car->update(kDt);
  EXPECT_EQ(car->getX(), 400);
  EXPECT_EQ(car->getY(), 300);
  EXPECT_EQ(car->speed, 0);
  EXPECT_EQ(car->heading(), 0);
  EXPECT_EQ(car->getPreviousX(), 400);
  EXPECT_EQ(car->getPreviousY(), 300);
}

TEST_F(CarStep, FirstThrottleStepMovesWithTheNewVelocity) {
  auto car = makeCar(400, 300);
  car->throttle = 1;
  car->update(kDt);
  // 100 newtons per percent on 1500 kg; the position moves with the velocity after the step.
  const double velocity = 10000.0 / kMass * kDt;
  EXPECT_DOUBLE_EQ(car->velocity().y, velocity);
  EXPECT_DOUBLE_EQ(car->velocity().x, 0);
  EXPECT_DOUBLE_EQ(car->getY(), 300 + velocity * kDt * 10);
  EXPECT_NEAR(car->speed, velocity, 1e-12);
  EXPECT_DOUBLE_EQ(car->throttle, 100);
  EXPECT_DOUBLE_EQ(car->brake, 0);
}

TEST_F(CarStep, CoastingBrakesAtHalfAndThePedalAloneAtTwiceFull) {
  auto rolling = makeCar(400, 300);
  accelerate(*rolling, 150);
  const double v = rolling->velocity().y;
  ASSERT_GT(v, 5);
  const double resistance = -(30 * v + 5 * v * v);

  CarPhysics coasting = *rolling;
  coasting.throttle = 0;
  coasting.brake = 0;
  coasting.update(kDt);
  EXPECT_NEAR(coasting.velocity().y - v, (-5000 + resistance) / kMass * kDt, 1e-12);
  EXPECT_DOUBLE_EQ(coasting.brake, 0);  // the coasting brake is not shown as pedal

  CarPhysics braking = *rolling;
  braking.throttle = 0;
  braking.brake = 1;
  braking.update(kDt);
  EXPECT_NEAR(braking.velocity().y - v, (-20000 + resistance) / kMass * kDt, 1e-12);
  EXPECT_DOUBLE_EQ(braking.brake, 100);

  // Both pedals: the brake cancels the throttle, only the resistance is left.
  CarPhysics both = *rolling;
  both.throttle = 1;
  both.brake = 1;
  both.update(kDt);
  EXPECT_NEAR(both.velocity().y - v, resistance / kMass * kDt, 1e-12);
}

TEST_F(CarStep, ACoastingCarComesToRestAndStaysThere) {
  // Coasting out of a slide: the car turns and rolls sideways while it slows down.
  auto car = makeCar(600, 100);
  accelerate(*car, 200);
  for (int i = 0; i < 1000; ++i) {
    car->throttle = 0;
    car->steer = i < 100 ? 1 : 0;
    car->update(kDt);
  }
  const double x = car->getX();
  const double y = car->getY();
  for (int i = 0; i < 1000; ++i) car->update(kDt);
  EXPECT_NEAR(car->getX(), x, 1e-9);
  EXPECT_NEAR(car->getY(), y, 1e-9);
  EXPECT_LT(car->speed, 1e-9);
}

TEST_F(CarStep, ReachesTheTopSpeedWhereTractionMeetsResistance) {
  // A straight road 16 km long down the screen.
  TrackData straight;
  straight.surfaceMap = std::make_unique<SurfaceMap>(40000, 10);
  for (auto& cell : straight.surfaceMap->cells) cell = 3;
  CarPhysics car(straight);
  car.initModel();
  car.setPosition(20, 20, 0);
  accelerate(car, 3000);  // 30 s
  // 10000 = 30 v + 5 v² on dry tarmac.
  const double top = (-6 + std::sqrt(36 + 4 * 2000.0)) / 2;
  EXPECT_NEAR(car.speed, top, 0.05);
  EXPECT_EQ(car.getSurface(), 3);
  EXPECT_DOUBLE_EQ(car.getX(), 20);
}

TEST_F(CarStep, SteeringRightTurnsTowardTheDriversRight) {
  // Heading 0 drives down the screen, so the driver's right is the screen's left (-x).
  auto car = makeCar(600, 100);
  accelerate(*car, 150);
  for (int i = 0; i < 30; ++i) {
    car->throttle = 1;
    car->steer = 1;
    car->update(kDt);
  }
  EXPECT_LT(car->heading(), 0);
  EXPECT_LT(car->velocity().x, 0);
  EXPECT_DOUBLE_EQ(car->getSteer(), 1);
}

TEST_F(CarStep, FieldsNotWrittenAgainKeepTheirInput) {
  auto car = makeCar(400, 100);
  car->throttle = 1;
  car->steer = 1;
  car->update(kDt);
  const double afterOne = car->velocity().y;
  // No driver writes: the shown 100 percent must not become 10000 percent.
  car->update(kDt);
  EXPECT_DOUBLE_EQ(car->throttle, 100);
  EXPECT_DOUBLE_EQ(car->getSteer(), 1);
  EXPECT_LT(car->velocity().y, 2.5 * afterOne);

  // A driver switching straight from right to left writes the value the step used to leave.
  car->steer = -1;
  car->update(kDt);
  EXPECT_DOUBLE_EQ(car->getSteer(), -1);

  car->brake = 1;
  car->throttle = 0;
  car->update(kDt);
  car->update(kDt);
  EXPECT_DOUBLE_EQ(car->brake, 100);
  EXPECT_DOUBLE_EQ(car->throttle, 0);
}

TEST_F(CarStep, GripAndResistanceFollowTheGroundAndTheWeather) {
  auto road = makeCar(400, 300);
  auto grass = makeCar(60, 60);  // inside the grass patch
  auto offMap = makeCar(-100, 300);
  auto justLeftOfMap = makeCar(-3, 300);  // truncates into column 0
  for (auto* car : {road.get(), grass.get(), offMap.get(), justLeftOfMap.get()}) {
    car->update(kDt);
  }
  EXPECT_EQ(road->resistance(), 30);
  EXPECT_EQ(grass->resistance(), 1500);
  EXPECT_EQ(offMap->resistance(), 1500);
  EXPECT_EQ(justLeftOfMap->resistance(), 30);
  EXPECT_EQ(grass->getSurface(), 0);
  EXPECT_EQ(offMap->getSurface(), SurfaceMap::kOutside);
  EXPECT_EQ(justLeftOfMap->getSurface(), 3);
  EXPECT_EQ(makeCar(10, 1e6)->getSurface(), SurfaceMap::kOutside);

  // A changed option is seen at the next step.
  setWeather("weatherType", "wet");
  road->update(kDt);
  grass->update(kDt);
  EXPECT_EQ(road->resistance(), 10);
  EXPECT_EQ(grass->resistance(), 3000);

  // An unknown weather finds no keys: everything reads 0.
  setWeather("weatherType", "snow");
  road->update(kDt);
  EXPECT_EQ(road->resistance(), 0);
}

TEST_F(CarStep, NegativeSurfaceValuesReadAsZero) {
  setWeather("dry_tarmac_resistance", "-500");
  setWeather("dry_tarmac_grip", "-3");
  const SurfaceValues values = SurfaceOptions::read();
  EXPECT_EQ(values.tarmacResistance, 0);
  EXPECT_EQ(values.tarmacGrip, 0);
  EXPECT_EQ(values.grassResistance, 1500);
}

TEST_F(CarStep, LowerGripOnGrassLetsTheCarSlideMore) {
  auto onRoad = makeCar(600, 100);
  setWeather("dry_tarmac_grip", "20");
  accelerate(*onRoad, 150);
  for (int i = 0; i < 40; ++i) {
    onRoad->throttle = 1;
    onRoad->steer = 1;
    onRoad->update(kDt);
  }
  const double lowGripHeading = onRoad->heading();

  setWeather("dry_tarmac_grip", "100");
  auto fullGrip = makeCar(600, 100);
  accelerate(*fullGrip, 150);
  for (int i = 0; i < 40; ++i) {
    fullGrip->throttle = 1;
    fullGrip->steer = 1;
    fullGrip->update(kDt);
  }
  // Grip scales the slip angles: with less of it the same steering turns the car less.
  EXPECT_GT(lowGripHeading, fullGrip->heading());
}

TEST(CarReadouts, ImpactFactorIsTheSpeedUpToOne) {
  TrackData track;
  CarPhysics car(track);
  car.speed = 0.25;
  EXPECT_DOUBLE_EQ(car.getImpactFactor(), 0.25);
  car.speed = 1;
  EXPECT_DOUBLE_EQ(car.getImpactFactor(), 1);
  car.speed = 40;
  EXPECT_DOUBLE_EQ(car.getImpactFactor(), 1);
  EXPECT_DOUBLE_EQ(car.getWidth(), 8.00000011920929);
  EXPECT_DOUBLE_EQ(car.getLength(), 16.49999976158142);
  EXPECT_DOUBLE_EQ(car.getMass(), kMass);
}

TEST(CarReadouts, SurfaceWithoutAMapOrAtAnImpossiblePlaceIsOutside) {
  TrackData track;
  CarPhysics car(track);
  car.initModel();
  EXPECT_EQ(car.getSurface(), SurfaceMap::kOutside);
  car.setPosition(std::nan(""), std::numeric_limits<double>::infinity(), 0);
  EXPECT_EQ(car.getSurface(), SurfaceMap::kOutside);
}

TEST_F(CarStep, PushesAddUpAndActInTheNextStepOnly) {
  auto car = makeCar(100, 100);
  car->push(3, 100, 100);  // from the car's own point: along +x
  EXPECT_DOUBLE_EQ(car->pendingPush().x, 3);
  EXPECT_DOUBLE_EQ(car->pendingPush().y, 0);
  car->push(2, 100, 90);  // from above: down the screen
  EXPECT_DOUBLE_EQ(car->pendingPush().x, 3);
  EXPECT_NEAR(car->pendingPush().y, 2, 1e-15);

  // setPosition keeps what was collected.
  car->setPosition(100, 100, 0);
  EXPECT_DOUBLE_EQ(car->pendingPush().x, 3);

  car->update(kDt);
  EXPECT_DOUBLE_EQ(car->velocity().x, 3 * kDt);
  EXPECT_NEAR(car->velocity().y, 2 * kDt, 1e-15);
  EXPECT_EQ(car->pendingPush().x, 0);
  EXPECT_EQ(car->pendingPush().y, 0);
}

TEST_F(CarStep, DriftAngleIsBetweenMotionAndHeading) {
  auto car = makeCar(400, 100);
  accelerate(*car, 100);
  EXPECT_NEAR(car->getDriftAngle(), 0, 1e-9);
  const double pi = 3.1415926535;
  // setPosition turns the car and leaves the velocity as it was.
  car->setPosition(car->getX(), car->getY(), pi / 2);
  EXPECT_NEAR(car->getDriftAngle(), pi / 2, 1e-9);
  car->setPosition(car->getX(), car->getY(), pi);
  EXPECT_NEAR(car->getDriftAngle(), pi, 1e-9);
  car->setPosition(car->getX(), car->getY(), -pi / 2);
  EXPECT_NEAR(car->getDriftAngle(), pi / 2, 1e-9);
  car->setPosition(car->getX(), car->getY(), 4 * 6.283185307 + 0.25);
  EXPECT_NEAR(car->getDriftAngle(), 0.25, 1e-9);
  // A heading wound up over a very long spin is still answered, within the angle range.
  car->setPosition(car->getX(), car->getY(), 1e12);
  const double drift = car->getDriftAngle();
  EXPECT_GE(drift, 0);
  EXPECT_LE(drift, pi);
}

}  // namespace
}  // namespace physicstest
