#include "drivers/CPUDriver.h"

#include <gtest/gtest.h>

#include <cmath>

#include "DriverFixtures.h"
#include "platform/Random.h"

namespace {

using driverfixtures::FakeCar;
using driverfixtures::ringTrack;
using driverfixtures::ScopedOptions;

TrackPoint at(double x, double y) {
  TrackPoint p;
  p.x = x;
  p.y = y;
  return p;
}

// The ring's point i as a world position, the car heading along the road.
void placeOnRing(FakeCar& car, const TrackData& track, std::size_t i) {
  const TrackPoint& p = track.pointAt(i);
  car.x = p.x;
  car.y = p.y;
  car.angle = p.rotation;  // along the growing angle of the ring
}

struct RingDriver : ::testing::Test {
  RingDriver() : track(ringTrack()), car(*track) {
    platform::setFixedSeed(21);
    placeOnRing(car, *track, 0);
    driver = std::make_unique<CPUDriver>(car, *track);
  }
  std::unique_ptr<TrackData> track;
  FakeCar car;
  std::unique_ptr<CPUDriver> driver;
};

// How often the line winds round the ring's centre (positive: clockwise on the screen).
double turnsAroundCentre(const std::vector<TrackPoint>& path, double centre) {
  double total = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const TrackPoint& a = path[i];
    const TrackPoint& b = path[(i + 1) % path.size()];
    double d = std::atan2(b.y - centre, b.x - centre) - std::atan2(a.y - centre, a.x - centre);
    while (d > M_PI) d -= 2 * M_PI;
    while (d < -M_PI) d += 2 * M_PI;
    total += d;
  }
  return total / (2 * M_PI);
}

TEST_F(RingDriver, InitialLineGoesOnceRoundTheTrackOnTheRoad) {
  const auto& path = *driver->path();
  ASSERT_GE(path.size(), 5u);
  EXPECT_EQ(driver->cursor(), 0);
  EXPECT_NEAR(turnsAroundCentre(path, 100), 1.0, 1e-6);
  for (const TrackPoint& node : path) {
    EXPECT_EQ(track->surfaceMap->at(static_cast<long long>(node.y), static_cast<long long>(node.x)),
              3)
        << node.x << "," << node.y;
  }
  // 48 chords of a circle of radius 70 cells.
  const double chord = 2 * 70 * std::sin(M_PI / 48);
  EXPECT_NEAR(driver->trackLengthSum(), 48 * chord * chord, 1e-6);
  ASSERT_EQ(driver->distanceWeights().size(), 48u);
  for (double w : driver->distanceWeights()) {
    EXPECT_EQ(w, driver->distanceWeights()[0]);
    EXPECT_GE(w, 190);
    EXPECT_LE(w, 219);
  }
}

TEST_F(RingDriver, WithoutARoadTheLineFallsBackToTheTrackPoints) {
  auto grass = ringTrack();
  std::fill(grass->surfaceMap->cells.begin(), grass->surfaceMap->cells.end(), 0);
  FakeCar other(*grass);
  placeOnRing(other, *grass, 0);
  CPUDriver lost(other, *grass);
  const auto& path = *lost.path();
  ASSERT_FALSE(path.empty());
  EXPECT_NEAR(turnsAroundCentre(path, 100), 1.0, 1e-6);
  for (const TrackPoint& node : path) {
    EXPECT_NEAR(std::hypot(node.x - 100, node.y - 100), 70, 1e-6);
  }
}

TEST_F(RingDriver, FollowingDriversCopyTheNetwork) {
  driver->train(1, nullptr);
  FakeCar second(*track);
  placeOnRing(second, *track, 10);
  CPUDriver follower(second, *track, *driver);
  NeuralNetwork a = driver->network();
  NeuralNetwork b = follower.network();
  EXPECT_EQ(a.compute({0.2, 0.4, 0.3, 0.6, 0.9}), b.compute({0.2, 0.4, 0.3, 0.6, 0.9}));
}

TEST_F(RingDriver, ControlsStaySaneWhereTheRulesAloneWouldNot) {
  // No line: nothing is left over that the car's step could compound.
  driver->setPath({});
  car.throttle = 0.8;
  car.brake = 0.3;
  car.steer = 0.7;
  driver->drive({&car});
  EXPECT_EQ(car.throttle, 0);
  EXPECT_EQ(car.brake, 0);
  EXPECT_EQ(car.steer, 0);
  EXPECT_TRUE(driver->plan());

  // A long slide off the road must not wear the speed weight down to nothing.
  placeOnRing(car, *track, 0);
  driver->setPath({track->getPoint(0), track->getPoint(1), track->getPoint(2)});
  car.drift = M_PI;
  car.surface = 0;
  for (int i = 0; i < 20000; ++i) driver->learn();
  EXPECT_GE(driver->speedWeight(), 1.0);
  // A standing car creeps on rather than holding its brake for good.
  car.speed = 0;
  driver->drive({&car});
  EXPECT_TRUE(std::isfinite(car.steer));
  EXPECT_EQ(car.brake, 0);
  EXPECT_EQ(driver->debugText().rfind(L"speed: 0\nangle1: ", 0), 0u);
}

TEST_F(RingDriver, CursorFollowsTheCarOnlyBySmallSteps) {
  std::vector<TrackPoint> line;
  for (int i = 0; i < 100; ++i) line.push_back(at(i, 0));
  driver->setPath(line);
  // Twenty nodes ahead: too far, the cursor stays.
  EXPECT_EQ(*driver->lookAhead(at(20, 0.2), 0), 1u);
  EXPECT_EQ(driver->cursor(), 0);
  EXPECT_EQ(*driver->lookAhead(at(3, 0.2), 0), 4u);
  EXPECT_EQ(driver->cursor(), 3);
  driver->lookAhead(at(8, 0.2), 0);
  EXPECT_EQ(driver->cursor(), 8);
  // Budgets are sums of squared steps: 13 unit steps exceed 12; above 12 one more node.
  EXPECT_EQ(*driver->lookAhead(at(8, 0.2), 12), 21u);
  EXPECT_EQ(*driver->lookAhead(at(8, 0.2), 50), 8u + 51 + 1);
  // The open end of this line closes with one long step, which ends any walk.
  EXPECT_EQ(*driver->lookAhead(at(8, 0.2), 900), 1u);
  // Back across the wrap.
  driver->setPath(line);
  driver->lookAhead(at(97, 0.2), 0);
  EXPECT_EQ(driver->cursor(), 97);

  // A line whose nodes all coincide ends the walk after one lap.
  driver->setPath(std::vector<TrackPoint>(4, at(5, 5)));
  EXPECT_TRUE(driver->lookAhead(at(5, 5), 900).has_value());
}

TEST_F(RingDriver, CarsCloseAheadPushTheSteeringAwayAndNeverBreakIt) {
  placeOnRing(car, *track, 0);  // driving along +y
  driver->drive({&car});
  const double alone = car.steer;
  ASSERT_LT(alone, 0.8);
  ASSERT_GT(alone, -0.8);

  // Another car 30 units ahead, slightly to the screen's right (+x): this car's left.
  FakeCar other(*track);
  other.x = car.x + 3;
  other.y = car.y + 30;
  other.angle = car.angle;
  driver->drive({&car, &other});
  EXPECT_GT(car.steer, alone + 0.1);
  other.x = car.x - 3;
  driver->drive({&other, &car});
  EXPECT_LT(car.steer, alone - 0.1);
  // Behind or far away: no effect.
  other.y = car.y - 30;
  driver->drive({&car, &other});
  EXPECT_DOUBLE_EQ(car.steer, alone);

  // Nearly on top of this car, with the same heading or one a hair apart: no nan, no inf.
  for (double apart : {0.0, 1e-12, -1e-4}) {
    other.x = car.x;
    other.y = car.y + 2;
    other.angle = car.angle + apart;
    driver->drive({&car, &other});
    EXPECT_TRUE(car.steer >= -1.0 && car.steer <= 1.0) << apart;
  }
}

TEST_F(RingDriver, LearningChargesTheTrackPointsJustBehindTheCar) {
  const std::vector<double> before = driver->distanceWeights();
  const std::size_t n = before.size();
  placeOnRing(car, *track, 0);  // nearest point 0: the points behind are the last two
  car.drift = 0;
  car.surface = 3;
  driver->learn();
  EXPECT_NEAR(driver->speedWeight(), 40.0002, 1e-12);
  EXPECT_NEAR(driver->distanceWeights()[n - 1], before[n - 1] - 0.075, 1e-9);
  EXPECT_NEAR(driver->distanceWeights()[n - 2], before[n - 2] - 0.025, 1e-9);
  EXPECT_EQ(driver->distanceWeights()[0], before[0]);

  // Sliding sideways off the road: slower everywhere and further look here.
  placeOnRing(car, *track, 10);
  car.drift = M_PI;
  car.surface = 0;
  driver->learn();
  EXPECT_NEAR(driver->speedWeight(), 40.0002 - 0.0002 - 0.005, 1e-12);
  EXPECT_NEAR(driver->distanceWeights()[9], before[9] + 0.075, 1e-9);
  EXPECT_NEAR(driver->distanceWeights()[8], before[8] + 0.025 + 0.3, 1e-9);
}

struct PlanningRun {
  int unfinished = 0;
  int splices = 0;
  std::vector<long long> unfinishedExpansions;
};

// Drives the fake car slowly round the ring while its driver plans every frame.
PlanningRun planWhileMoving(RingDriver& ring, int frames) {
  PlanningRun run;
  double a = 0;
  for (int frame = 0; frame < frames; ++frame) {
    a += 0.01;
    ring.car.x = (100 + 70 * std::cos(a)) * 4;
    ring.car.y = (100 + 70 * std::sin(a)) * 4;
    ring.car.angle = a;
    const std::vector<TrackPoint> before = *ring.driver->path();
    if (!ring.driver->plan()) {
      ++run.unfinished;
      EXPECT_TRUE(ring.driver->searchInProgress());
      run.unfinishedExpansions.push_back(SearchWorkspace::shared().lastExpansions());
      EXPECT_EQ(ring.driver->path()->size(), before.size());
    } else {
      EXPECT_FALSE(ring.driver->searchInProgress());
      if (ring.driver->path()->size() != before.size()) {
        ++run.splices;
        EXPECT_EQ(ring.driver->cursor(), 0);
      }
    }
  }
  return run;
}

TEST_F(RingDriver, PlanningImprovesTheLineInBoundedPieces) {
  ScopedOptions options;  // skill 20: 25 × 10 expansions a call
  const PlanningRun run = planWhileMoving(*this, 400);
  EXPECT_GT(run.splices, 0);
  EXPECT_GT(run.unfinished, 0);
  for (long long expansions : run.unfinishedExpansions) EXPECT_EQ(expansions, 251);

  const auto& path = *driver->path();
  EXPECT_NEAR(turnsAroundCentre(path, 100), 1.0, 1e-6);
  for (const TrackPoint& node : path) {
    EXPECT_EQ(track->surfaceMap->at(static_cast<long long>(node.y), static_cast<long long>(node.x)),
              3);
  }
}

TEST_F(RingDriver, SkillOutsideItsRangePlansWithTheEffortOfSkillFive) {
  ScopedOptions options("[ AI ]\naiStr=36\n");
  const PlanningRun run = planWhileMoving(*this, 200);
  ASSERT_GT(run.unfinished, 0);
  for (long long expansions : run.unfinishedExpansions) EXPECT_EQ(expansions, 101);
}

}  // namespace
