#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "common/GridLine.h"
#include "drivers/PathSearch.h"
#include "track/Geometry.h"

namespace {

track::TrackPoint at(double column, double row) {
  return track::TrackPoint{column, row, 0, 0, 0};
}

// A track whose map is grass except for the given rectangles of road.
struct RoadMap {
  RoadMap(int rows, int columns) {
    track.surfaceMap = std::make_unique<track::SurfaceMap>(rows, columns);
  }
  RoadMap& road(int row0, int column0, int row1, int column1) {
    for (int r = row0; r <= row1; ++r) {
      for (int c = column0; c <= column1; ++c)
        track.surfaceMap->set(r, c, track::SurfaceMap::kRoad);
    }
    return *this;
  }
  // The clearance the search plans on, worked out once the road is laid.
  const drivers::RoadClearance& clearance() {
    if (!clearance_) clearance_ = std::make_unique<drivers::RoadClearance>(*track.surfaceMap);
    return *clearance_;
  }
  track::TrackData track;

 private:
  std::unique_ptr<drivers::RoadClearance> clearance_;
};

// A corridor 13 cells wide: east along the top, then south.
RoadMap lCorridor() {
  RoadMap map(120, 120);
  map.road(4, 4, 16, 110).road(4, 98, 110, 110);
  return map;
}

struct Search {
  std::optional<std::vector<track::TrackPoint>> path;
  float direction = 0;
  float step = 0;
};

Search find(drivers::SearchWorkspace& ws, RoadMap& map, track::TrackPoint start,
            track::TrackPoint goal, long long budget = INT_MAX, bool anew = true,
            float direction = 0, float step = 20) {
  Search s;
  s.path = drivers::findPath(ws, map.clearance(), start, goal, direction, step, s.direction, s.step,
                             budget, anew);
  return s;
}

TEST(PathSearch, AGoalWithinThreeCellsIsReachedAtTheStart) {
  RoadMap map(40, 40);
  map.road(0, 0, 39, 39);
  drivers::SearchWorkspace ws;
  Search s = find(ws, map, at(10.7, 12.2), at(12, 13), INT_MAX, true, 1.25f);
  ASSERT_TRUE(s.path && s.path->size() == 1u);
  EXPECT_EQ((*s.path)[0].x, 10);
  EXPECT_EQ((*s.path)[0].y, 12);
  EXPECT_FLOAT_EQ(s.direction, 1.25f);
  EXPECT_EQ(ws.lastExpansions(), 0);
  // At a squared distance of exactly 9 the start is expanded and left out of the path.
  s = find(ws, map, at(10, 10), at(13, 10), INT_MAX, true, 0, 1);
  ASSERT_TRUE(s.path && !s.path->empty());
  EXPECT_NE(s.path->front().x, 10);
}

TEST(PathSearch, UnusableStartsAndGoalsGiveAnEmptyPath) {
  RoadMap map(60, 60);
  map.road(10, 0, 20, 59);
  drivers::SearchWorkspace ws;
  for (const auto& [start, goal] : std::vector<std::pair<track::TrackPoint, track::TrackPoint>>{
           {at(5, 11), at(55, 15)},  // the start's 5 × 5 block reaches the grass of row 9
           {at(-1, 15), at(55, 15)},
           {at(5, 15), at(60, 15)},
           {at(5, 15), at(std::nan(""), 15)}}) {
    const Search s = find(ws, map, start, goal);
    ASSERT_TRUE(s.path);
    EXPECT_TRUE(s.path->empty()) << start.x << "," << start.y;
  }
  // A goal walled off by grass: the open list runs dry.
  RoadMap walled(60, 60);
  walled.road(10, 0, 20, 29).road(10, 32, 20, 59);
  EXPECT_TRUE(find(ws, walled, at(5, 15), at(55, 15)).path->empty());
  EXPECT_FALSE(ws.busy());
}

TEST(PathSearch, FindsALineRoundACornerOverRoadOnly) {
  RoadMap map = lCorridor();
  drivers::SearchWorkspace ws;
  const Search s = find(ws, map, at(10, 10), at(104, 104));
  ASSERT_TRUE(s.path && s.path->size() >= 2u);
  track::TrackPoint from = at(10, 10);
  for (const track::TrackPoint& to : *s.path) {
    EXPECT_TRUE(common::walkGridLine(
        static_cast<int>(from.x), static_cast<int>(from.y), static_cast<int>(to.x),
        static_cast<int>(to.y),
        [&](int c, int r) { return map.track.surfaceMap->at(r, c) == track::SurfaceMap::kRoad; }));
    from = to;
  }
  EXPECT_LT(std::pow(from.x - 104, 2) + std::pow(from.y - 104, 2), 9);
  // It set off along +x and arrives heading down the screen (+y).
  EXPECT_GT(std::sin(s.direction), 0.7);
}

TEST(PathSearch, ASearchSplitByBudgetsFindsTheSamePath) {
  RoadMap map = lCorridor();
  drivers::SearchWorkspace ws;
  const Search whole = find(ws, map, at(10, 10), at(104, 104));
  ASSERT_GT(ws.lastExpansions(), 3);

  Search piece = find(ws, map, at(10, 10), at(104, 104), 1);
  while (!piece.path) {
    EXPECT_TRUE(ws.busy());
    EXPECT_EQ(ws.lastExpansions(), 2);  // the count must exceed the budget before it yields
    // Start and goal are ignored when continuing.
    piece = find(ws, map, at(0, 0), at(0, 0), 1, false);
  }
  ASSERT_EQ(piece.path->size(), whole.path->size());
  for (std::size_t i = 0; i < whole.path->size(); ++i) {
    EXPECT_EQ((*piece.path)[i].x, (*whole.path)[i].x);
    EXPECT_EQ((*piece.path)[i].y, (*whole.path)[i].y);
  }
  EXPECT_EQ(piece.direction, whole.direction);
  EXPECT_EQ(piece.step, whole.step);

  // An interrupted search cannot be continued on another map, nor leaks into the next one.
  ASSERT_FALSE(find(ws, map, at(10, 10), at(104, 104), 5).path);
  RoadMap other = lCorridor();
  EXPECT_TRUE(find(ws, other, {}, {}, INT_MAX, false).path->empty());
  EXPECT_EQ(find(ws, other, at(10, 10), at(104, 104)).path->size(), whole.path->size());
}

}  // namespace
