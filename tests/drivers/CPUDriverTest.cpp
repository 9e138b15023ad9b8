#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "DriverFixtures.h"
#include "drivers/CPUDriver.h"
#include "drivers/DrivingFeatures.h"
#include "drivers/LineShape.h"
#include "platform/Random.h"

namespace {

using driverfixtures::FakeCar;

track::TrackPoint at(double x, double y) {
  return track::TrackPoint{x, y, 0, 0, 0};
}

// A driver on the ring of road (centre (100, 100), radius 70 cells), its car on point 0.
struct RingDriver : ::testing::Test {
  RingDriver() : track(driverfixtures::ringTrack()), car(*track) {
    platform::setFixedSeed(21);
    moveTo(0);
    driver = std::make_unique<drivers::CPUDriver>(car, *track);
  }
  // The car on the ring at angle a, heading along the road.
  void moveTo(double a) {
    car.x = (100 + 70 * std::cos(a)) * 4;
    car.y = (100 + 70 * std::sin(a)) * 4;
    car.angle = a;
  }
  // How often the line winds round the centre (positive: clockwise on the screen), and
  // whether every node is road.
  double windings() const {
    const auto& path = *driver->path();
    double total = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
      const track::TrackPoint& a = path[i];
      const track::TrackPoint& b = path[(i + 1) % path.size()];
      EXPECT_EQ(track->surfaceMap->at(static_cast<long long>(a.y), static_cast<long long>(a.x)),
                track::SurfaceMap::kRoad);
      total += std::remainder(std::atan2(b.y - 100, b.x - 100) - std::atan2(a.y - 100, a.x - 100),
                              2 * M_PI);
    }
    return total / (2 * M_PI);
  }
  // Plans every frame while the car goes slowly round; the expansions of every call that
  // stopped unfinished, and how often the line was spliced.
  std::pair<std::vector<long long>, int> planWhileMoving(int frames) {
    std::vector<long long> unfinished;
    int splices = 0;
    for (int frame = 1; frame <= frames; ++frame) {
      moveTo(frame * 0.01);
      const std::size_t before = driver->path()->size();
      const bool done = driver->plan();
      EXPECT_EQ(driver->searchInProgress(), !done);
      if (!done) unfinished.push_back(drivers::SearchWorkspace::shared().lastExpansions());
      if (driver->path()->size() != before) {
        ++splices;
        EXPECT_EQ(driver->cursor(), 0);
      }
    }
    return {unfinished, splices};
  }

  std::unique_ptr<track::TrackData> track;
  FakeCar car;
  std::unique_ptr<drivers::CPUDriver> driver;
};

TEST_F(RingDriver, TheFirstLineGoesOnceRoundOnTheRoad) {
  EXPECT_EQ(driver->cursor(), 0);
  EXPECT_NEAR(windings(), 1.0, 1e-6);
  const double chord = 2 * 70 * std::sin(M_PI / 48);
  EXPECT_NEAR(driver->trackLengthSum(), 48 * chord * chord, 1e-6);
  for (double w : driver->distanceWeights()) EXPECT_EQ(w, driver->distanceWeights()[0]);
  EXPECT_GE(driver->distanceWeights()[0], 190);
  EXPECT_LE(driver->distanceWeights()[0], 219);

  // A follower copies the network; on a track without road its line is the track's points.
  driver->train(1, nullptr);
  std::fill(track->surfaceMap->cells.begin(), track->surfaceMap->cells.end(), 0);
  drivers::CPUDriver follower(car, *track, *driver);
  drivers::NeuralNetwork a = driver->network();
  drivers::NeuralNetwork b = follower.network();
  EXPECT_EQ(a.compute({0.2, 0.4, 0.3, 0.6, 0.9}), b.compute({0.2, 0.4, 0.3, 0.6, 0.9}));
  ASSERT_EQ(follower.path()->size(), 48u);
  EXPECT_DOUBLE_EQ(follower.path()->front().x, track->getPoint(0).x);
}

TEST_F(RingDriver, ControlsStaySaneWhereTheRulesAloneWouldNot) {
  // No line: nothing is left over that the car's step could compound.
  driver->setPath({});
  car.throttle = 0.8;
  car.brake = 0.3;
  car.steer = 0.7;
  driver->drive({&car});
  EXPECT_EQ(car.throttle + car.brake + car.steer, 0);
  EXPECT_TRUE(driver->plan());

  // A long slide off the road must not wear the speed weight down to nothing.
  driver->setPath({track->getPoint(0), track->getPoint(1), track->getPoint(2)});
  car.drift = M_PI;
  car.surface = 0;
  for (int i = 0; i < 20000; ++i) driver->learn();
  EXPECT_GE(driver->speedWeight(), 1.0);
  // A standing car creeps on rather than holding its brake for good.
  car.speed = 0;
  driver->drive({&car});
  EXPECT_EQ(car.brake, 0);
  EXPECT_EQ(driver->debugText().rfind(L"speed: 0\nangle1: ", 0), 0u);
}

TEST_F(RingDriver, CursorFollowsTheCarOnlyBySmallSteps) {
  std::vector<track::TrackPoint> line;
  for (int i = 0; i < 100; ++i) line.push_back(at(i, 0));
  driver->setPath(line);
  EXPECT_EQ(*driver->lookAhead(at(20, 0.2), 0), 1u);  // twenty ahead: the cursor stays
  EXPECT_EQ(driver->cursor(), 0);
  EXPECT_EQ(*driver->lookAhead(at(3, 0.2), 0), 4u);
  driver->lookAhead(at(8, 0.2), 0);
  EXPECT_EQ(driver->cursor(), 8);
  // Budgets sum squared steps: 13 unit steps exceed 12; above 12 the node after is taken.
  EXPECT_EQ(*driver->lookAhead(at(8, 0.2), 12), 21u);
  EXPECT_EQ(*driver->lookAhead(at(8, 0.2), 50), 60u);
  driver->setPath(line);
  driver->lookAhead(at(94, 0.2), 0);  // six back across the wrap: too far
  EXPECT_EQ(driver->cursor(), 0);
  driver->lookAhead(at(97, 0.2), 0);
  EXPECT_EQ(driver->cursor(), 97);
  driver->lookAhead(at(1, 0.2), 0);  // on across the wrap
  EXPECT_EQ(driver->cursor(), 1);
  // A line whose nodes all coincide ends the walk after one lap.
  driver->setPath(std::vector<track::TrackPoint>(4, at(5, 5)));
  EXPECT_TRUE(driver->lookAhead(at(5, 5), 900).has_value());
}

TEST_F(RingDriver, CarsCloseAheadPushTheSteeringAway) {
  driver->drive({&car});  // driving down the screen (+y)
  const double alone = car.steer;
  ASSERT_LT(std::fabs(alone), 0.8);
  FakeCar other(*track);
  other.x = car.x + 3;  // ahead on this car's left
  other.y = car.y + 30;
  other.angle = car.angle;
  driver->drive({&car, &other});
  EXPECT_GT(car.steer, alone + 0.1);
  other.x = car.x - 3;
  driver->drive({&other, &car});
  EXPECT_LT(car.steer, alone - 0.1);
  other.y = car.y - 30;  // behind
  driver->drive({&car, &other});
  EXPECT_DOUBLE_EQ(car.steer, alone);
  // Nearly on top of this car with the same heading, or one a hair apart: no nan, no inf.
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
  driver->learn();  // straight on the road at point 0: the last two points pay
  EXPECT_NEAR(driver->speedWeight(), 40.0002, 1e-12);
  EXPECT_NEAR(driver->distanceWeights()[47], before[47] - 0.075, 1e-9);
  EXPECT_NEAR(driver->distanceWeights()[46], before[46] - 0.025, 1e-9);
  EXPECT_EQ(driver->distanceWeights()[0], before[0]);

  moveTo(2 * M_PI * 10 / 48);  // point 10, sliding sideways on the grass
  car.drift = M_PI;
  car.surface = 0;
  driver->learn();
  EXPECT_NEAR(driver->speedWeight(), 40.0002 - 0.0002 - 0.005, 1e-12);
  EXPECT_NEAR(driver->distanceWeights()[9], before[9] + 0.075, 1e-9);
  EXPECT_NEAR(driver->distanceWeights()[8], before[8] + 0.025 + 0.3, 1e-9);
}

TEST_F(RingDriver, PlanningImprovesTheLineInBoundedPieces) {
  driverfixtures::ScopedOptions options;  // skill 20: 25 × 10 expansions a call
  const auto [unfinished, splices] = planWhileMoving(400);
  EXPECT_GT(splices, 0);
  ASSERT_FALSE(unfinished.empty());
  for (long long expansions : unfinished) EXPECT_EQ(expansions, 251);
  EXPECT_NEAR(windings(), 1.0, 1e-6);
}

TEST_F(RingDriver, SkillOutsideItsRangePlansWithTheEffortOfSkillFive) {
  driverfixtures::ScopedOptions options("[ AI ]\naiStr=36\n");
  const auto unfinished = planWhileMoving(200).first;
  ASSERT_FALSE(unfinished.empty());
  for (long long expansions : unfinished) EXPECT_EQ(expansions, 101);
}

TEST(CPUDriverField, LinesPlannedOnTwoThreadsAreTheLinesPlannedOneAfterTheOther) {
  const auto track = driverfixtures::ringTrack();
  std::vector<std::unique_ptr<FakeCar>> cars;
  for (int i = 0; i < 5; ++i) {
    const double a = i * 1.3;
    cars.push_back(std::make_unique<FakeCar>(*track));
    cars.back()->x = (100 + 70 * std::cos(a)) * 4;
    cars.back()->y = (100 + 70 * std::sin(a)) * 4;
    cars.back()->angle = a;
  }
  std::vector<std::unique_ptr<drivers::CPUDriver>> oneByOne, together;
  std::vector<drivers::CPUDriver*> field;
  for (const auto& car : cars) {
    oneByOne.push_back(std::make_unique<drivers::CPUDriver>(*car, *track));
    together.push_back(std::make_unique<drivers::CPUDriver>(
        *car, *track, drivers::DriverLevel::Medium, drivers::CPUDriver::FirstLine::Later));
    field.push_back(together.back().get());
  }
  drivers::CPUDriver::planFirstLines(field);
  for (std::size_t i = 0; i < cars.size(); ++i) {
    const auto& expected = *oneByOne[i]->path();
    const auto& planned = *together[i]->path();
    ASSERT_EQ(planned.size(), expected.size()) << "driver " << i;
    EXPECT_GT(planned.size(), 10u);
    for (std::size_t n = 0; n < expected.size(); ++n) {
      EXPECT_EQ(planned[n].x, expected[n].x) << "driver " << i << ", node " << n;
      EXPECT_EQ(planned[n].y, expected[n].y) << "driver " << i << ", node " << n;
    }
    EXPECT_EQ(together[i]->searchedLegs(), oneByOne[i]->searchedLegs());
  }
}

// How many nodes from the line's first lies the one nearest the car, either way round.
std::size_t nodesToTheCar(const std::vector<track::TrackPoint>& line, const FakeCar& car) {
  const std::size_t nearest =
      drivers::driving::nearestNode(line, track::TrackPoint{car.x / 4, car.y / 4, 0, 0, 0});
  return std::min(nearest, line.size() - nearest);
}

TEST(CPUDriverField, AGridJoinsTheLeadsLapEachCarFromItsOwnPlace) {
  const auto track = driverfixtures::ringTrack();
  const drivers::RoadClearance road(*track->surfaceMap);
  // Two columns behind the first car, as on a start grid.
  std::vector<std::unique_ptr<FakeCar>> cars;
  for (int i = 0; i < 6; ++i) {
    const double a = -0.12 * i;
    const double radius = i % 2 == 0 ? 66 : 74;
    cars.push_back(std::make_unique<FakeCar>(*track));
    cars.back()->x = (100 + radius * std::cos(a)) * 4;
    cars.back()->y = (100 + radius * std::sin(a)) * 4;
    cars.back()->angle = a;
  }
  std::vector<std::unique_ptr<drivers::CPUDriver>> twoThreads, oneThread;
  std::vector<drivers::CPUDriver*> fieldOfTwo, fieldOfOne;
  for (const auto& car : cars) {
    for (auto* field : {&twoThreads, &oneThread}) {
      field->push_back(std::make_unique<drivers::CPUDriver>(
          *car, *track, drivers::DriverLevel::Medium, drivers::CPUDriver::FirstLine::Later, &road));
    }
    fieldOfTwo.push_back(twoThreads.back().get());
    fieldOfOne.push_back(oneThread.back().get());
  }
  drivers::CPUDriver::planFirstLines(fieldOfTwo, 2);
  drivers::CPUDriver::planFirstLines(fieldOfOne, 1);

  const double leadLength = drivers::driving::lineLength(*twoThreads[0]->path(), true);
  for (std::size_t i = 0; i < cars.size(); ++i) {
    const auto& line = *twoThreads[i]->path();
    ASSERT_EQ(line.size(), oneThread[i]->path()->size()) << "driver " << i;
    for (std::size_t n = 0; n < line.size(); ++n) {
      EXPECT_EQ(line[n].x, (*oneThread[i]->path())[n].x) << "driver " << i << ", node " << n;
      EXPECT_EQ(line[n].y, (*oneThread[i]->path())[n].y) << "driver " << i << ", node " << n;
      EXPECT_GT(road.at(line[n].x, line[n].y), 0) << "driver " << i << ", node " << n;
    }
    // Once round, and setting off from the car no later than the lead does from its own: the
    // cursor starts on the first node and follows the car only by small steps.
    EXPECT_NEAR(drivers::driving::lineLength(line, true), leadLength, 0.1 * leadLength);
    EXPECT_LE(nodesToTheCar(line, *cars[i]), nodesToTheCar(*twoThreads[0]->path(), *cars[0]))
        << "driver " << i;
    EXPECT_EQ(twoThreads[i]->searchedLegs(), 4);
  }
}

}  // namespace
