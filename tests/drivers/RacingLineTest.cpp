// The computer drivers' racing line on the shipped tracks: planned by the search, bent inside the
// road at every level.
#include <gtest/gtest.h>

#include <filesystem>

#include "DriverFixtures.h"
#include "drivers/CPUDriver.h"
#include "drivers/PathSearch.h"
#include "physics/CarPhysics.h"
#include "physics/StartPosition.h"
#include "platform/Random.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace {

constexpr std::int32_t kRoad = 3;

bool onRoad(const SurfaceMap& map, const TrackPoint& p) {
  return map.at(static_cast<long long>(p.y), static_cast<long long>(p.x)) == kRoad;
}

TEST(RacingLine, StaysOnTheRoadOnEveryShippedTrackAtEveryLevel) {
  driverfixtures::ScopedOptions options;
  std::size_t tracks = 0;
  for (const auto& entry : std::filesystem::directory_iterator(testsupport::tracksDir())) {
    if (entry.path().extension() != ".rst") continue;
    ++tracks;
    auto track = importTrack(entry.path().string());
    ASSERT_TRUE(track) << entry.path();
    track->surfaceMap = buildSurfaceMap(*track, 4.0);
    const SurfaceMap& map = *track->surfaceMap;
    CarPhysics car(*track);
    car.initModel();
    placeOnStartPosition(car, track->positionAt(0));
    for (DriverLevel level : {DriverLevel::kEasy, DriverLevel::kMedium, DriverLevel::kHard}) {
      SCOPED_TRACE(entry.path().filename().string() + " " + levelName(level));
      platform::setFixedSeed(5);
      const CPUDriver driver(car, *track, level);
      // Every leg of the first line is the search's own: none was thrown away for the track's
      // middle.
      EXPECT_EQ(driver.searchedLegs(), 4);
      const std::vector<TrackPoint>& line = *driver.path();
      ASSERT_GT(line.size(), 50u);
      int offRoad = 0;
      for (std::size_t i = 0; i < line.size(); ++i) {
        const TrackPoint& a = line[i];
        const TrackPoint& b = line[(i + 1) % line.size()];
        const bool roadAll =
            onRoad(map, a) &&
            walkLine(static_cast<int>(a.x), static_cast<int>(a.y), static_cast<int>(b.x),
                     static_cast<int>(b.y),
                     [&map](int column, int row) { return map.at(row, column) == kRoad; });
        offRoad += roadAll ? 0 : 1;
      }
      EXPECT_EQ(offRoad, 0);
    }
  }
  EXPECT_GE(tracks, 6u);
}

}  // namespace
