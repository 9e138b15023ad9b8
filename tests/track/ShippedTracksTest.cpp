#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <queue>

#include "support/TestSupport.h"
#include "track/Geometry.h"
#include "track/TrackLoader.h"

namespace {

constexpr double kCell = 4.0;
constexpr double kCarLength = 16.5;

std::vector<std::string> shippedTracks() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(testsupport::tracksDir())) {
    if (entry.path().extension() == ".rst") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

track::GridCell cellOf(double x, double y, double cell) {
  return {static_cast<int>(x / cell), static_cast<int>(y / cell)};
}

// Every road cell that can be reached from `start` through road cells sharing a side.
std::vector<bool> reachableRoad(const track::SurfaceMap& map, track::GridCell start) {
  std::vector<bool> seen(map.cells.size(), false);
  std::queue<track::GridCell> open;
  auto visit = [&](track::GridCell c) {
    if (map.at(c.y, c.x) != track::SurfaceMap::kRoad) return;
    const std::size_t index = static_cast<std::size_t>(c.y) * map.columns + c.x;
    if (seen[index]) return;
    seen[index] = true;
    open.push(c);
  };
  visit(start);
  while (!open.empty()) {
    const track::GridCell c = open.front();
    open.pop();
    visit({c.x + 1, c.y});
    visit({c.x - 1, c.y});
    visit({c.x, c.y + 1});
    visit({c.x, c.y - 1});
  }
  return seen;
}

// Cells across the road at a point, from well inside one edge to well inside the other.
bool crossSectionIsRoad(const track::SurfaceMap& map, const track::TrackPoint& p, double cell) {
  const double reach = p.width * 0.4;
  for (double s = -reach; s <= reach; s += cell * 0.5) {
    const track::GridCell c =
        cellOf(p.x + std::cos(p.rotation) * s, p.y + std::sin(p.rotation) * s, cell);
    if (map.at(c.y, c.x) != track::SurfaceMap::kRoad) return false;
  }
  return true;
}

TEST(ShippedTracks, ThereAreAtLeastSixWithTheirOwnTitlesThemesAndPictures) {
  const std::vector<std::string> files = shippedTracks();
  ASSERT_GE(files.size(), 6u);
  std::set<std::string> titles;
  std::size_t largestGrid = 0;
  for (const std::string& file : files) {
    std::string reason;
    auto track = track::importTrack(file, &reason);
    ASSERT_TRUE(track) << file << ": " << reason;
    EXPECT_TRUE(titles.insert(track->title).second) << track->title;
    EXPECT_EQ(track->background, std::filesystem::path(file).stem().string() + ".png");
    EXPECT_FALSE(track->theme.empty()) << file;  // the list shows every track's landscape
    EXPECT_GE(track->positionCount(), 8u) << file;
    largestGrid = std::max(largestGrid, track->positionCount());
    for (const track::TrackPoint& p : track->points) {
      EXPECT_GE(p.width, 55) << file;  // the computer drivers need a wide block of road
      EXPECT_GE(p.x - p.width / 2, 90) << file;
      EXPECT_GE(p.y - p.width / 2, 90) << file;
    }
  }
  EXPECT_GE(largestGrid, 12u);
}

TEST(ShippedTracks, RoadIsOneClosedRingWithoutHoles) {
  for (const std::string& file : shippedTracks()) {
    auto track = track::importTrack(file);
    ASSERT_TRUE(track) << file;
    auto map = track::buildSurfaceMap(*track, kCell);
    const track::TrackPoint& finish = track->points.back();
    const std::vector<bool> ring = reachableRoad(*map, cellOf(finish.x, finish.y, kCell));
    for (std::size_t i = 0; i < track->pointCount(); ++i) {
      const track::TrackPoint& p = track->points[i];
      const track::GridCell c = cellOf(p.x, p.y, kCell);
      EXPECT_TRUE(ring[static_cast<std::size_t>(c.y) * map->columns + c.x])
          << file << ": point " << i << " is cut off from the finish line";
      EXPECT_TRUE(crossSectionIsRoad(*map, p, kCell)) << file << ": hole at point " << i;
    }
  }
}

TEST(ShippedTracks, FineMapOfTheBeginnerTrackHasNoHoles) {
  auto track = track::importTrack(testsupport::tracksDir() + "meadow_loop.rst");
  ASSERT_TRUE(track);
  auto map = track::buildSurfaceMap(*track, 0.5);
  for (std::size_t i = 0; i < track->pointCount(); ++i) {
    EXPECT_TRUE(crossSectionIsRoad(*map, track->points[i], 0.5)) << "point " << i;
  }
}

TEST(ShippedTracks, StartGridStandsOnTheRoadBehindTheFinishFacingForward) {
  for (const std::string& file : shippedTracks()) {
    auto track = track::importTrack(file);
    ASSERT_TRUE(track) << file;
    auto map = track::buildSurfaceMap(*track, kCell);
    const std::size_t count = track->pointCount();
    for (std::size_t i = 0; i < track->positionCount(); ++i) {
      const track::TrackPoint& p = track->positions[i];
      const double forwardX = std::cos(p.rotation), forwardY = -std::sin(p.rotation);
      // Both the car's front and its rear must stand on road.
      const track::GridCell front = cellOf(p.x, p.y, kCell);
      const track::GridCell rear =
          cellOf(p.x - forwardX * kCarLength, p.y - forwardY * kCarLength, kCell);
      EXPECT_EQ(map->at(front.y, front.x), track::SurfaceMap::kRoad) << file << " slot " << i;
      EXPECT_EQ(map->at(rear.y, rear.x), track::SurfaceMap::kRoad) << file << " slot " << i;

      // Nearest path point in the run-up to the finish (the last index), and the car facing
      // the way the road goes there.
      const std::size_t nearest = track->nearestPointIndex({p.x * 0.25, p.y * 0.25});
      EXPECT_GE(nearest, count - count / 4) << file << " slot " << i;
      const track::TrackPoint& here = track->points[nearest];
      const track::TrackPoint& next = track->points[(nearest + 1) % count];
      const double travel = std::hypot(next.x - here.x, next.y - here.y);
      const double along = (forwardX * (next.x - here.x) + forwardY * (next.y - here.y)) / travel;
      EXPECT_GT(along, 0.9) << file << " slot " << i;

      // Behind the finish line: the finish lies ahead of the car.
      const track::TrackPoint& finish = track->points.back();
      EXPECT_GT(forwardX * (finish.x - p.x) + forwardY * (finish.y - p.y), 0) << file;
    }
  }
}

}  // namespace
