#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "RaceFixture.h"
#include "physics/Car.h"
#include "platform/Buttons.h"
#include "race/BackOnTrack.h"
#include "race/LapPath.h"
#include "race/LapTable.h"
#include "race/RaceNotices.h"
#include "race/Standings.h"
#include "support/FakeCar.h"
#include "track/SurfaceMap.h"

namespace {

class BackOnTrackRace : public RaceFixture {
 protected:
  race::RaceData& start(int onlyCpu) {
    installTrack("meadow_loop.rst");
    setOptions(3, 3, onlyCpu);
    auto& race = makeRace("meadow_loop.rst");
    EXPECT_TRUE(race.startRace()) << race.lastError();
    skipCountdown();
    return race;
  }
  // The spot of the map furthest from the road (world units).
  static std::pair<double, double> furthestFromRoad(const race::RaceData& race) {
    const race::LapPath& path = *race.lapPath();
    std::pair<double, double> best{0, 0};
    double bestDistance = -1;
    const track::SurfaceMap& map = *race.getTrack()->surfaceMap;
    for (double y = 40; y < map.rows * 4.0 - 40; y += 20) {
      for (double x = 40; x < map.columns * 4.0 - 40; x += 20) {
        const double d = path.locate(x, y).distance;
        if (d > bestDistance) best = {x, y}, bestDistance = d;
      }
    }
    return best;
  }
  // Radians between the car's heading and the track's direction where it stands.
  static double offTrackDirection(const race::RaceData& race, const physics::Car& car) {
    const race::PathPosition along = race.lapPath()->locate(car.getX(), car.getY());
    // getAngle is minus the heading; the heading h drives along (sin h, cos h).
    const double h = -car.getAngle();
    return std::acos(
        std::clamp(std::sin(h) * along.directionX + std::cos(h) * along.directionY, -1.0, 1.0));
  }
  void press(int key) {
    input_.setDown(key, true);
    race_->updateRace();
    input_.setDown(key, false);
  }
};

TEST_F(BackOnTrackRace, ThePlayerIsPutBackOnTheRoadFacingOnAfterASecondWithAPenalty) {
  auto& race = start(0);
  const auto [x, y] = furthestFromRoad(race);
  race.car(0).stopAt(x, y, 1.0);
  ASSERT_NE(race.car(0).getSurface(), track::SurfaceMap::kRoad);
  for (int i = 0; i < 30; ++i) race.updateRace();
  press(platform::button::kR);  // half a second in trouble: too soon
  EXPECT_DOUBLE_EQ(race.car(0).getX(), x);
  EXPECT_EQ(race.laps()->penalty(0), 0.0f);

  for (int i = 0; i < 62; ++i) race.updateRace();
  press(platform::button::kR);
  const physics::Car& car = race.car(0);
  EXPECT_EQ(car.getSurface(), track::SurfaceMap::kRoad);
  EXPECT_LT(race.lapPath()->locate(car.getX(), car.getY()).distance, 5);
  EXPECT_LT(offTrackDirection(race, car), 0.3);
  EXPECT_LT(car.speed, 0.5);
  EXPECT_EQ(race.laps()->penalty(0), race::BackOnTrack::kPenaltySeconds);
  EXPECT_GE(race.laps()->totalTime(0), race::BackOnTrack::kPenaltySeconds);
  EXPECT_EQ(race.laps()->lapTime(0, 0), race.laps()->raceClock());  // lap times stay as driven
  const auto shown = race.notices()->active(0);
  EXPECT_NE(std::find(shown.begin(), shown.end(), race::RaceNotices::kPenalty), shown.end());

  // From there the player drives on along the track.
  const double before = race.standings()->progress(0);
  input_.setDown(platform::button::kUp, true);
  for (int i = 0; i < 124; ++i) race.updateRace();
  input_.setDown(platform::button::kUp, false);
  EXPECT_GT(race.standings()->progress(0), before + 0.01);
}

TEST_F(BackOnTrackRace, AComputerStuckForFiveSecondsIsPutBackAndDrivesOn) {
  auto& race = start(1);
  const auto [x, y] = furthestFromRoad(race);
  race.car(2).stopAt(x, y, 0.0);
  int frames = 0;
  while (race.backOnTrack()->count(2) == 0 && frames < 62 * 8) {
    race.updateRace();
    ++frames;
  }
  ASSERT_EQ(race.backOnTrack()->count(2), 1) << "never put back";
  EXPECT_GT(frames, 5 * 62);  // off the road the whole time, then put back
  EXPECT_EQ(race.car(2).getSurface(), track::SurfaceMap::kRoad);
  EXPECT_EQ(race.laps()->penalty(2), race::BackOnTrack::kPenaltySeconds);

  // Its driver finds the car where it now is and races on.
  const double before = race.standings()->progress(2);
  for (int i = 0; i < 3 * 62; ++i) race.updateRace();
  EXPECT_GT(race.standings()->progress(2), before + 0.02);  // from rest, along the road
  EXPECT_EQ(race.car(2).getSurface(), track::SurfaceMap::kRoad);
  EXPECT_EQ(race.backOnTrack()->count(2), 1);
}

TEST(BackOnTrackRule, TroubleIsStandingStillOrLeavingTheRoadWithoutABreak) {
  track::TrackData track;
  FakeCar standing(track), driving(track), offRoad(track);
  driving.speed = 20;
  offRoad.speed = 20;
  offRoad.surface = track::SurfaceMap::kGrass;
  race::BackOnTrack rule(3, 62);
  const std::vector<physics::Car*> cars{&standing, &driving, &offRoad};
  for (int i = 0; i < 62; ++i) rule.observe(cars);
  EXPECT_TRUE(rule.playerMay(0));
  EXPECT_FALSE(rule.playerMay(1));
  EXPECT_TRUE(rule.playerMay(2));
  for (int i = 0; i < 4 * 62 + 10; ++i) rule.observe(cars);
  EXPECT_TRUE(rule.computerStuck(0));
  EXPECT_TRUE(rule.computerStuck(2));
  offRoad.surface = track::SurfaceMap::kRoad;  // back on the road by itself: the count starts again
  rule.observe(cars);
  EXPECT_EQ(rule.troubleSeconds(2), 0.0f);
  EXPECT_NEAR(rule.troubleSeconds(0), 5.0 + 11.0 / 62, 1e-5);
}

}  // namespace
