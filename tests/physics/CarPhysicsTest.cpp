#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "PhysicsFixture.h"
#include "physics/PhysicsWorld.h"
#include "physics/SurfaceOptions.h"

namespace physicstest {
namespace {

constexpr double kDt = physics::PhysicsWorld::kTimeStep;

void step(physics::CarPhysics& car, double throttle, double brake, double steer, int steps = 1) {
  for (int i = 0; i < steps; ++i) {
    car.throttle = throttle;
    car.brake = brake;
    car.steer = steer;
    car.update(kDt);
  }
}

using CarStep = PhysicsTest;

TEST_F(CarStep, StandsStillWithoutInput) {
  auto car = makeCar(400, 300);
  step(*car, 0, 0, 0, 200);
  EXPECT_EQ(car->getX(), 400);
  EXPECT_EQ(car->getY(), 300);
  EXPECT_EQ(car->speed, 0);
  EXPECT_EQ(car->heading(), 0);
}

TEST_F(CarStep, CoastingBrakesAtHalfAndThePedalAloneAtTwiceFull) {
  auto rolling = makeCar(400, 300);
  step(*rolling, 1, 0, 0, 150);
  const double v = rolling->velocity().y;
  const double resistance = -(30 * v + 5 * v * v);
  // {throttle, brake} → traction in newtons on 1500 kg.
  const double cases[][3] = {{0, 0, -5000}, {0, 1, -20000}, {1, 1, 0}};
  for (const auto& c : cases) {
    physics::CarPhysics car = *rolling;
    step(car, c[0], c[1], 0);
    EXPECT_NEAR(car.velocity().y - v, (c[2] + resistance) / 1500 * kDt, 1e-12) << c[2];
    EXPECT_EQ(car.brake, c[1] * 100);  // the coasting brake is not shown as pedal
  }
}

TEST_F(CarStep, ACarCoastingOutOfASlideComesToRestAndStaysThere) {
  auto car = makeCar(600, 100);
  step(*car, 1, 0, 0, 200);
  step(*car, 0, 0, 1, 100);
  step(*car, 0, 0, 0, 900);
  const double x = car->getX(), y = car->getY();
  step(*car, 0, 0, 0, 1000);
  EXPECT_NEAR(car->getX(), x, 1e-9);
  EXPECT_NEAR(car->getY(), y, 1e-9);
  EXPECT_LT(car->speed, 1e-9);
}

TEST_F(CarStep, FieldsNotWrittenAgainKeepTheirInput) {
  auto car = makeCar(400, 100);
  step(*car, 1, 0, 1);
  const double afterOne = car->velocity().y;
  car->update(kDt);  // no driver wrote: the shown 100 percent must not become 10000
  EXPECT_EQ(car->throttle, 100);
  EXPECT_EQ(car->getSteer(), 1);
  EXPECT_LT(car->velocity().y, 2.5 * afterOne);
  // Switching straight from right to left writes what a negating step would have left.
  car->steer = -1;
  car->update(kDt);
  EXPECT_EQ(car->getSteer(), -1);
}

TEST_F(CarStep, GripAndResistanceFollowTheGroundAndTheWeather) {
  auto road = makeCar(400, 300);
  auto grass = makeCar(60, 60);
  auto offMap = makeCar(-100, 300);
  auto edge = makeCar(-3, 300);  // truncates into column 0
  for (auto* car : {road.get(), grass.get(), offMap.get(), edge.get()}) car->update(kDt);
  EXPECT_EQ(road->resistance(), 30);
  EXPECT_EQ(grass->resistance(), 1500);
  EXPECT_EQ(offMap->resistance(), 1500);
  EXPECT_EQ(edge->resistance(), 30);
  EXPECT_EQ(grass->getSurface(), track::SurfaceMap::kGrass);
  EXPECT_EQ(edge->getSurface(), track::SurfaceMap::kRoad);
  EXPECT_EQ(offMap->getSurface(), track::SurfaceMap::kOutside);
  EXPECT_EQ(makeCar(std::nan(""), 1e300)->getSurface(), track::SurfaceMap::kOutside);

  auto setWeather = [](const std::string& key, const std::string& value) {
    config::Options::instance()->ini().setValue(config::Options::kWeatherSection, key, value, true);
  };
  setWeather("weatherType", "wet");  // seen at the very next step
  road->update(kDt);
  grass->update(kDt);
  EXPECT_EQ(road->resistance(), 10);
  EXPECT_EQ(grass->resistance(), 3000);
  setWeather("wet_tarmac_resistance", "-500");  // would make the step blow up
  road->update(kDt);
  EXPECT_EQ(road->resistance(), 0);
}

TEST_F(CarStep, SandSnowAndGravelHoldTheCarByTheirOwnKeys) {
  const std::int32_t kinds[] = {track::SurfaceMap::kSand, track::SurfaceMap::kSnow,
                                track::SurfaceMap::kGravel};
  std::vector<std::unique_ptr<physics::CarPhysics>> cars;
  for (int k = 0; k < 3; ++k) {
    track_.surfaceMap->set(50, 50 + 10 * k, kinds[k]);
    cars.push_back(makeCar(202 + 40 * k, 202));
    cars.back()->update(kDt);
  }
  EXPECT_EQ(cars[0]->resistance(), 2500);
  EXPECT_EQ(cars[1]->resistance(), 1000);
  EXPECT_EQ(cars[2]->resistance(), 800);
  EXPECT_EQ(cars[1]->getSurface(), track::SurfaceMap::kSnow);

  // A weather type of the player's own without those keys drives on them as on its grass.
  config::CIniFile& ini = config::Options::instance()->ini();
  ini.setValue(" Weather Conditions ", "weatherType", "ice", true);
  ini.setValueInt(" Weather Conditions ", "ice_tarmac_grip", 20);
  ini.setValueInt(" Weather Conditions ", "ice_tarmac_resistance", 5);
  ini.setValueInt(" Weather Conditions ", "ice_grass_grip", 10);
  ini.setValueInt(" Weather Conditions ", "ice_grass_resistance", 4000);
  ini.setValueInt(" Weather Conditions ", "ice_snow_resistance", 200);
  for (auto& car : cars) car->update(kDt);
  EXPECT_EQ(cars[0]->resistance(), 4000);
  EXPECT_EQ(cars[1]->resistance(), 200);
  EXPECT_EQ(cars[2]->resistance(), 4000);
}

TEST_F(CarStep, AnUnknownWeatherRacesAsDryAndSaysSo) {
  // A weather named in the file without its road and grass keys: every surface would hold
  // nothing and no car would ever finish.
  folder_.write("options.ini", "[ Weather Conditions ]\nweatherType=ice\nice_grass_grip=5\n");
  config::Options::destroy(false);
  testing::internal::CaptureStderr();
  const physics::SurfaceValues values = physics::SurfaceOptions::read();
  const std::string warning = testing::internal::GetCapturedStderr();
  EXPECT_NE(warning.find("weatherType \"ice\" is unknown"), std::string::npos) << warning;
  EXPECT_NE(warning.find("\"dry\""), std::string::npos) << warning;
  EXPECT_EQ(config::Options::instance()->weather(), "dry");
  EXPECT_EQ(values.tarmac.grip, 100);
  EXPECT_EQ(values.grass.resistance, 1500);
  EXPECT_EQ(values.snow.grip, 35);
  EXPECT_EQ(config::Options::instance()->getWeatherString("weatherType"),
            "ice");  // the file keeps it

  // A known weather whose keys the file lacks races on that weather's defaults.
  folder_.write("options.ini", "[ Weather Conditions ]\nweatherType=wet\n");
  config::Options::destroy(false);
  const physics::SurfaceValues wet = physics::SurfaceOptions::read();
  EXPECT_EQ(wet.tarmac.grip, 40);
  EXPECT_EQ(wet.grass.resistance, 3000);
  EXPECT_EQ(wet.gravel.resistance, 1000);
}

TEST_F(CarStep, PushesAddUpAndActInTheNextStepOnly) {
  auto car = makeCar(100, 100);
  car->push(3, 100, 100);         // from the car's own point: along +x
  car->push(2, 100, 90);          // from above: down the screen
  car->setPosition(100, 100, 0);  // keeps what was collected
  car->update(kDt);
  EXPECT_DOUBLE_EQ(car->velocity().x, 3 * kDt);
  EXPECT_NEAR(car->velocity().y, 2 * kDt, 1e-15);
  EXPECT_DOUBLE_EQ(car->getX(), 100 + 3 * kDt * kDt * 10);  // moved with the new velocity
  EXPECT_EQ(car->pendingPush().x, 0);
  EXPECT_EQ(car->pendingPush().y, 0);
}

TEST_F(CarStep, ReadOuts) {
  auto car = makeCar(400, 100);
  for (double speed : {0.25, 1.0, 40.0}) {
    car->speed = speed;
    EXPECT_EQ(car->getImpactFactor(), std::min(speed, 1.0));
  }
  step(*car, 1, 0, 0, 100);
  EXPECT_NEAR(car->getDriftAngle(), 0, 1e-9);
  car->setPosition(car->getX(), car->getY(), -1.57079632675);  // velocity is kept
  EXPECT_NEAR(car->getDriftAngle(), 1.57079632675, 1e-9);
  car->setPosition(car->getX(), car->getY(), 1e12);  // a long spin is still answered
  EXPECT_LE(car->getDriftAngle(), 3.1415926535);
}

}  // namespace
}  // namespace physicstest
