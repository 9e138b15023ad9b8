#include "drivers/PathSearch.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "DriverFixtures.h"
#include "track/Geometry.h"

namespace {

constexpr long long kNoLimit = INT_MAX;

TrackPoint at(double column, double row) {
  TrackPoint p;
  p.x = column;
  p.y = row;
  return p;
}

// A track whose map is all grass except the given rectangles of road.
struct RoadMap {
  RoadMap(int rows, int columns) {
    track.surfaceMap = std::make_unique<SurfaceMap>(rows, columns);
  }
  RoadMap& road(int row0, int column0, int row1, int column1) {
    for (int r = row0; r <= row1; ++r) {
      for (int c = column0; c <= column1; ++c) track.surfaceMap->set(r, c, 3);
    }
    return *this;
  }
  TrackData track;
};

// An L-shaped corridor, 12 cells wide: east along the top, then south.
RoadMap lCorridor() {
  RoadMap map(120, 120);
  map.road(4, 4, 16, 110).road(4, 98, 110, 110);
  return map;
}

std::vector<TrackPoint> search(SearchWorkspace& ws, const TrackData& track, TrackPoint start,
                               TrackPoint goal, float direction, long long budget = kNoLimit) {
  float endDirection = 0;
  float endStep = 0;
  auto path = findPath(ws, track, start, goal, direction, 20.0f, endDirection, endStep, budget,
                       true);
  EXPECT_TRUE(path.has_value());
  return path.value_or(std::vector<TrackPoint>{});
}

// Every move of the path runs over road only, starting from `start`.
bool allOnRoad(const TrackData& track, TrackPoint start, const std::vector<TrackPoint>& path) {
  TrackPoint from = start;
  for (const TrackPoint& to : path) {
    const bool ok = walkLine(static_cast<int>(from.x), static_cast<int>(from.y),
                             static_cast<int>(to.x), static_cast<int>(to.y), [&](int c, int r) {
                               return track.surfaceMap->at(r, c) == 3;
                             });
    if (!ok) return false;
    from = to;
  }
  return true;
}

TEST(PathSearch, GoalWithinThreeCellsGivesOnlyTheStartCell) {
  RoadMap map(40, 40);
  map.road(0, 0, 39, 39);
  SearchWorkspace ws;
  float endDirection = 0;
  float endStep = 0;
  auto path = findPath(ws, map.track, at(10.7, 12.2), at(12, 13), 1.25f, 20.0f, endDirection,
                       endStep, kNoLimit, true);
  ASSERT_TRUE(path.has_value());
  ASSERT_EQ(path->size(), 1u);
  EXPECT_EQ((*path)[0].x, 10);
  EXPECT_EQ((*path)[0].y, 12);
  EXPECT_FLOAT_EQ(endDirection, 1.25f);
  EXPECT_FLOAT_EQ(endStep, 20.0f);
  EXPECT_EQ(ws.lastExpansions(), 0);
  EXPECT_FALSE(ws.busy());

  // Squared distance exactly 9 is not yet reached: the start is expanded and left out.
  path = findPath(ws, map.track, at(10, 10), at(13, 10), 0.0f, 1.0f, endDirection, endStep,
                  kNoLimit, true);
  ASSERT_TRUE(path.has_value());
  ASSERT_FALSE(path->empty());
  EXPECT_FALSE(path->front().x == 10 && path->front().y == 10);
}

TEST(PathSearch, UnusableStartsAndGoalsGiveAnEmptyPath) {
  RoadMap map(60, 60);
  map.road(10, 0, 20, 59);  // an 11-cell strip along x
  SearchWorkspace ws;
  // The start's 5 × 5 block touches grass (row 9 is grass): no move is allowed.
  EXPECT_TRUE(search(ws, map.track, at(5, 11), at(55, 15), 0.0f).empty());
  // Off the map, either end.
  EXPECT_TRUE(search(ws, map.track, at(-1, 15), at(55, 15), 0.0f).empty());
  EXPECT_TRUE(search(ws, map.track, at(5, 15), at(60, 15), 0.0f).empty());
  EXPECT_TRUE(search(ws, map.track, at(5, 15), at(std::nan(""), 15), 0.0f).empty());
  // A goal walled off by grass: the open list runs dry.
  RoadMap walled(60, 60);
  walled.road(10, 0, 20, 29).road(10, 32, 20, 59);
  EXPECT_TRUE(search(ws, walled.track, at(5, 15), at(55, 15), 0.0f).empty());
  EXPECT_FALSE(ws.busy());
  // No surface map at all.
  TrackData bare;
  EXPECT_TRUE(search(ws, bare, at(5, 15), at(55, 15), 0.0f).empty());
}

TEST(PathSearch, FindsALineRoundACornerOnTheRoadOnly) {
  RoadMap map = lCorridor();
  SearchWorkspace ws;
  float endDirection = 0;
  float endStep = 0;
  const TrackPoint start = at(10, 10);
  const TrackPoint goal = at(104, 104);
  auto path = findPath(ws, map.track, start, goal, 0.0f, 20.0f, endDirection, endStep, kNoLimit,
                       true);
  ASSERT_TRUE(path.has_value());
  ASSERT_GE(path->size(), 2u);
  EXPECT_TRUE(allOnRoad(map.track, start, *path));
  const TrackPoint& last = path->back();
  EXPECT_LT(std::pow(last.x - goal.x, 2) + std::pow(last.y - goal.y, 2), 9);
  EXPECT_FALSE(path->front().x == start.x && path->front().y == start.y);
  // The car leaves heading along +x and arrives heading along +y (down the screen).
  EXPECT_NEAR(std::cos(endDirection), 0.0, 0.6);
  EXPECT_GT(std::sin(endDirection), 0.7);
  EXPECT_GT(endStep, 0.0001f);
}

TEST(PathSearch, ASearchSplitByBudgetsFindsTheSamePath) {
  RoadMap map = lCorridor();
  SearchWorkspace ws;
  float wholeDirection = 0;
  float wholeStep = 0;
  auto whole = findPath(ws, map.track, at(10, 10), at(104, 104), 0.0f, 20.0f, wholeDirection,
                        wholeStep, kNoLimit, true);
  ASSERT_TRUE(whole.has_value());
  const long long wholeExpansions = ws.lastExpansions();
  ASSERT_GT(wholeExpansions, 3);

  float direction = 0;
  float step = 0;
  int calls = 0;
  auto piece = findPath(ws, map.track, at(10, 10), at(104, 104), 0.0f, 20.0f, direction, step, 1,
                        true);
  while (!piece.has_value()) {
    EXPECT_TRUE(ws.busy());
    // A budget of 1 allows two expansions before the search yields.
    EXPECT_EQ(ws.lastExpansions(), 2);
    ++calls;
    // Start and goal are ignored when continuing.
    piece = findPath(ws, map.track, at(0, 0), at(0, 0), 9.0f, 1.0f, direction, step, 1, false);
  }
  EXPECT_GE(calls, wholeExpansions / 2 - 1);
  ASSERT_EQ(piece->size(), whole->size());
  for (std::size_t i = 0; i < whole->size(); ++i) {
    EXPECT_EQ((*piece)[i].x, (*whole)[i].x);
    EXPECT_EQ((*piece)[i].y, (*whole)[i].y);
  }
  EXPECT_EQ(direction, wholeDirection);
  EXPECT_EQ(step, wholeStep);
  EXPECT_FALSE(ws.busy());
}

TEST(PathSearch, AnInterruptedSearchLeavesNothingBehindForTheNext) {
  RoadMap big = lCorridor();
  RoadMap small(40, 80);
  small.road(5, 0, 35, 79);
  SearchWorkspace ws;
  const auto first = search(ws, big.track, at(10, 10), at(104, 104), 0.0f);
  float direction = 0;
  float step = 0;
  ASSERT_FALSE(findPath(ws, big.track, at(10, 10), at(104, 104), 0.0f, 20.0f, direction, step, 5,
                        true)
                   .has_value());
  // It cannot be continued against another map; a new search on another map succeeds.
  auto none = findPath(ws, small.track, {}, {}, 0.0f, 20.0f, direction, step, kNoLimit, false);
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());
  EXPECT_FALSE(search(ws, small.track, at(8, 20), at(75, 20), 0.0f).empty());
  const auto again = search(ws, big.track, at(10, 10), at(104, 104), 0.0f);
  ASSERT_EQ(again.size(), first.size());
  for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(again[i].x, first[i].x);
}

TEST(PathSearch, LineWalkVisitsTheCellsOfDrawLine) {
  SurfaceMap none;  // zero size: drawLine writes nothing and still lists every cell
  const int ends[][4] = {{0, 0, 7, 3}, {0, 0, 3, 7},  {5, 5, -4, 2}, {5, 5, 2, -4},
                         {0, 0, 6, 6}, {0, 0, -6, 6}, {3, 3, 3, 3},  {-2, 4, 9, 4},
                         {1, 1, 1, -9}, {0, 0, 13, -5}};
  for (const auto& e : ends) {
    const auto expected = drawLine(none, {e[0], e[1]}, {e[2], e[3]}, 3);
    std::vector<GridCell> walked;
    walkLine(e[0], e[1], e[2], e[3], [&](int x, int y) {
      walked.push_back({x, y});
      return true;
    });
    EXPECT_EQ(walked, expected) << e[0] << "," << e[1] << " -> " << e[2] << "," << e[3];
  }
}

}  // namespace
