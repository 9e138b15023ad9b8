// A computer driver drives a real car round every shipped track, frame by frame as a race does:
// the planning turn, drive, learn, then the physics world's step.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iostream>

#include "DriverFixtures.h"
#include "drivers/CPUDriver.h"
#include "physics/CarPhysics.h"
#include "physics/PhysicsWorld.h"
#include "platform/Random.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace {

constexpr int kFramesPerSecond = 62;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kLapsWanted = 1;  // the sanitizers make every frame far slower
#else
constexpr int kLapsWanted = 2;
#endif
constexpr int kMaxSeconds = 330;

struct LapReport {
  int framesRun = 0;
  double laps = 0;              // completed laps, from the nearest track point's progress
  double firstLapSeconds = -1;  // from the start to the first completed lap
  double lapSeconds = -1;       // of the second lap, the first one from a flying start
  double offRoadShare = 0;
  double longestOffRoadSeconds = 0;
  int largestJump = 0;  // the most track points the nearest point moved in one frame
};

std::vector<std::string> shippedTracks() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(testsupport::tracksDir())) {
    if (entry.path().extension() == ".rst") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Places the car as the race does: its front on start position 0.
void placeOnGrid(Car& car, const TrackData& track) {
  const TrackPoint& p = track.positionAt(0);
  const double half = car.getLength() * 0.5;
  car.setPosition(static_cast<float>(p.x - std::cos(p.rotation) * half),
                  static_cast<float>(p.y + std::sin(p.rotation) * half),
                  p.rotation + 1.57079632675);
}

// The race trains its lead driver once and copies the network into the others; here one
// trained lead, on a ring of road of its own, serves every track.
const CPUDriver& trainedLead() {
  static const auto ring = driverfixtures::ringTrack();
  static driverfixtures::FakeCar car(*ring);
  static const std::unique_ptr<CPUDriver> lead = [] {
    platform::setFixedSeed(1234);
    auto driver = std::make_unique<CPUDriver>(car, *ring);
    driver->train(100000, nullptr);
    return driver;
  }();
  return *lead;
}

LapReport driveAround(TrackData& track, int lapsWanted) {
  CarPhysics car(track);
  car.initModel();
  placeOnGrid(car, track);
  CPUDriver driver(car, track, trainedLead());
  PhysicsWorld world;
  world.registerCar(car);
  const std::vector<Car*> cars = {&car};

  const auto count = static_cast<long long>(track.pointCount());
  const auto nearest = [&] {
    TrackPoint here;
    here.x = car.getX() * 0.25;
    here.y = car.getY() * 0.25;
    return static_cast<long long>(track.nearestPointIndex(here));
  };
  const long long startIndex = nearest();
  long long previous = startIndex;
  long long progress = 0;  // track points passed, forwards positive
  int offRoad = 0;
  int offRoadRun = 0;
  int longestRun = 0;
  int firstLapFrame = -1;
  LapReport report;
  for (int frame = 1; frame <= kMaxSeconds * kFramesPerSecond; ++frame) {
    driver.plan();
    driver.drive(cars);
    driver.learn();
    world.step();

    const long long index = nearest();
    long long delta = index - previous;
    if (delta > count / 2) delta -= count;
    if (delta < -count / 2) delta += count;
    report.largestJump = std::max(report.largestJump, static_cast<int>(std::llabs(delta)));
    progress += delta;
    previous = index;
    if (car.getSurface() != 3) {
      ++offRoad;
      longestRun = std::max(longestRun, ++offRoadRun);
    } else {
      offRoadRun = 0;
    }
    report.framesRun = frame;
    if (firstLapFrame < 0 && progress >= count) firstLapFrame = frame;
    if (progress >= count * 2 && report.lapSeconds < 0) {
      report.lapSeconds = static_cast<double>(frame - firstLapFrame) / kFramesPerSecond;
    }
    if (progress >= count * lapsWanted) break;
  }
  report.laps = static_cast<double>(progress) / static_cast<double>(count);
  report.firstLapSeconds =
      firstLapFrame < 0 ? -1 : static_cast<double>(firstLapFrame) / kFramesPerSecond;
  report.offRoadShare = static_cast<double>(offRoad) / report.framesRun;
  report.longestOffRoadSeconds = static_cast<double>(longestRun) / kFramesPerSecond;
  return report;
}

TEST(DriveLoop, TheComputerDriverGoesRoundEveryShippedTrack) {
  driverfixtures::ScopedOptions options;
  const auto files = shippedTracks();
  ASSERT_FALSE(files.empty());
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    std::string reason;
    auto track = importTrack(file, &reason);
    ASSERT_TRUE(track) << reason;
    ASSERT_GT(track->pointCount(), 4u);
    ASSERT_GT(track->positionCount(), 0u);
    track->surfaceMap = buildSurfaceMap(*track, 4.0);
    platform::setFixedSeed(1234);

    const LapReport report = driveAround(*track, kLapsWanted);
    std::cout << std::filesystem::path(file).filename().string() << ": laps " << report.laps
              << ", first lap " << report.firstLapSeconds << " s, flying lap " << report.lapSeconds
              << " s, off road " << report.offRoadShare * 100 << " %, longest off road "
              << report.longestOffRoadSeconds << " s\n";
    EXPECT_GE(report.laps, kLapsWanted);
    // The nearest point moves on a few points a frame at most: the car really drove there.
    EXPECT_LT(report.largestJump, static_cast<int>(track->pointCount() / 4));
    EXPECT_LT(report.offRoadShare, 0.2);
    EXPECT_LT(report.longestOffRoadSeconds, 5.0);
  }
}

}  // namespace
