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
#include "physics/StartPosition.h"
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
  double laps = 0;            // from the nearest track point's progress round the loop
  double firstLap = -1;       // seconds from the start
  double flyingLap = -1;      // seconds of the second lap
  double offRoadShare = 0;    // of all frames
  double longestOffRoad = 0;  // seconds
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
void placeOnGrid(physics::Car& car, const track::TrackData& track) {
  physics::placeOnStartPosition(car, track.positionAt(0));
}

// The race trains its lead driver once and copies the network into the others; here one
// trained lead, on a ring of road of its own, serves every track.
const drivers::CPUDriver& trainedLead() {
  static const auto ring = driverfixtures::ringTrack();
  static driverfixtures::FakeCar car(*ring);
  static const std::unique_ptr<drivers::CPUDriver> lead = [] {
    platform::setFixedSeed(1234);
    auto driver = std::make_unique<drivers::CPUDriver>(car, *ring);
    driver->train(100000, nullptr);
    return driver;
  }();
  return *lead;
}

LapReport driveAround(track::TrackData& track, int lapsWanted) {
  physics::CarPhysics car(track);
  car.initModel();
  placeOnGrid(car, track);
  drivers::CPUDriver driver(car, track, trainedLead());
  physics::PhysicsWorld world;
  world.registerCar(car);
  const std::vector<physics::Car*> cars = {&car};
  const auto nearest = [&] {
    return static_cast<long long>(track.nearestPointIndex({car.getX() * 0.25, car.getY() * 0.25}));
  };

  const auto count = static_cast<long long>(track.pointCount());
  long long previous = nearest();
  long long progress = 0;  // track points passed, forwards positive: only small steps count
  int frame = 0;
  int offRoad = 0;
  int offRoadRun = 0;
  int firstLapFrame = -1;
  LapReport report;
  while (progress < count * lapsWanted && ++frame <= kMaxSeconds * kFramesPerSecond) {
    driver.plan();
    driver.drive(cars);
    driver.learn();
    world.step();

    const long long index = nearest();
    progress += static_cast<long long>(
        std::remainder(static_cast<double>(index - previous), static_cast<double>(count)));
    previous = index;
    offRoadRun = car.getSurface() == track::SurfaceMap::kRoad ? 0 : offRoadRun + 1;
    offRoad += offRoadRun > 0;
    report.longestOffRoad = std::max(report.longestOffRoad, offRoadRun / double{kFramesPerSecond});
    if (firstLapFrame < 0 && progress >= count) {
      firstLapFrame = frame;
      report.firstLap = frame / double{kFramesPerSecond};
    }
    if (report.flyingLap < 0 && progress >= count * 2) {
      report.flyingLap = (frame - firstLapFrame) / double{kFramesPerSecond};
    }
  }
  report.laps = static_cast<double>(progress) / static_cast<double>(count);
  report.offRoadShare = static_cast<double>(offRoad) / std::max(frame, 1);
  return report;
}

TEST(DriveLoop, TheComputerDriverGoesRoundEveryShippedTrack) {
  driverfixtures::ScopedOptions options;
  const auto files = shippedTracks();
  ASSERT_FALSE(files.empty());
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    std::string reason;
    auto track = track::importTrack(file, &reason);
    ASSERT_TRUE(track) << reason;
    ASSERT_GT(track->pointCount(), 4u);
    ASSERT_GT(track->positionCount(), 0u);
    track->surfaceMap = track::buildSurfaceMap(*track, 4.0);
    platform::setFixedSeed(1234);

    const LapReport report = driveAround(*track, kLapsWanted);
    std::cout << std::filesystem::path(file).filename().string() << ": laps " << report.laps
              << ", first lap " << report.firstLap << " s, flying lap " << report.flyingLap
              << " s, off road " << report.offRoadShare * 100 << " %, longest off road "
              << report.longestOffRoad << " s\n";
    EXPECT_GE(report.laps, kLapsWanted);
    EXPECT_LT(report.offRoadShare, 0.2);
    EXPECT_LT(report.longestOffRoad, 5.0);
  }
}

}  // namespace
