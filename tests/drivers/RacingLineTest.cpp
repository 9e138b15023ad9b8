// The computer drivers' racing line on the shipped tracks: planned by the search, bent inside the
// road at every level.
#include <gtest/gtest.h>

#include <filesystem>

#include "DriverFixtures.h"
#include "common/GridLine.h"
#include "drivers/CPUDriver.h"
#include "physics/CarPhysics.h"
#include "physics/StartPosition.h"
#include "platform/Random.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace {

bool onRoad(const track::SurfaceMap& map, const track::TrackPoint& p) {
  return map.at(static_cast<long long>(p.y), static_cast<long long>(p.x)) ==
         track::SurfaceMap::kRoad;
}

TEST(RacingLine, StaysOnTheRoadOnEveryShippedTrackAtEveryLevel) {
  driverfixtures::ScopedOptions options;
  std::size_t tracks = 0;
  for (const auto& entry : std::filesystem::directory_iterator(testsupport::tracksDir())) {
    if (entry.path().extension() != ".rst") continue;
    ++tracks;
    auto track = track::importTrack(entry.path().string());
    ASSERT_TRUE(track) << entry.path();
    track->surfaceMap = track::buildSurfaceMap(*track, 4.0);
    const track::SurfaceMap& map = *track->surfaceMap;
    physics::CarPhysics car(*track);
    car.initModel();
    physics::placeOnStartPosition(car, track->positionAt(0));
    for (drivers::DriverLevel level :
         {drivers::DriverLevel::Easy, drivers::DriverLevel::Medium, drivers::DriverLevel::Hard}) {
      SCOPED_TRACE(entry.path().filename().string() + " " + drivers::levelName(level));
      platform::setFixedSeed(5);
      const drivers::CPUDriver driver(car, *track, level);
      // Every leg of the first line is the search's own: none was thrown away for the track's
      // middle.
      EXPECT_EQ(driver.searchedLegs(), 4);
      const std::vector<track::TrackPoint>& line = *driver.path();
      ASSERT_GT(line.size(), 50u);
      int offRoad = 0;
      for (std::size_t i = 0; i < line.size(); ++i) {
        const track::TrackPoint& a = line[i];
        const track::TrackPoint& b = line[(i + 1) % line.size()];
        const bool roadAll =
            onRoad(map, a) &&
            common::walkGridLine(static_cast<int>(a.x), static_cast<int>(a.y),
                                 static_cast<int>(b.x), static_cast<int>(b.y),
                                 [&map](int column, int row) {
                                   return map.at(row, column) == track::SurfaceMap::kRoad;
                                 });
        offRoad += roadAll ? 0 : 1;
      }
      EXPECT_EQ(offRoad, 0);
    }
  }
  EXPECT_GE(tracks, 6u);
}

}  // namespace
