#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

#include "common/GridLine.h"
#include "common/Parallel.h"
#include "track/Geometry.h"
#include "track/TrackData.h"

namespace {

void expectIndexOutOfBounds(const std::function<void()>& query) {
  try {
    query();
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "Index out of bounds");
  }
}

TEST(TrackQueries, PointsInWorldAndMapUnitsAndIndexChecks) {
  track::TrackData track;
  track.points = {{812, 230, 60, 0, 1.25}, {10, 20, 30, -8, 2}};
  track.positions = {{5, 6, 0, 0, 0.5}};

  const track::TrackPoint map = track.getPoint(0);
  EXPECT_DOUBLE_EQ(map.x, 203);
  EXPECT_DOUBLE_EQ(map.y, 57.5);
  EXPECT_DOUBLE_EQ(map.width, 15);
  EXPECT_DOUBLE_EQ(map.rotation, 1.25);
  EXPECT_DOUBLE_EQ(track.getPoint(1).offset, -2);

  const track::TrackPoint copy = track.copyPoint(1);
  EXPECT_EQ(copy.offset, -8);
  track.pointAt(1).x = 99;  // pointAt is the stored point itself
  EXPECT_EQ(track.points[1].x, 99);
  EXPECT_EQ(copy.x, 10);
  EXPECT_EQ(&track.positionAt(0), &track.positions[0]);

  expectIndexOutOfBounds([&] { track.getPoint(2); });
  expectIndexOutOfBounds([&] { track.copyPoint(2); });
  expectIndexOutOfBounds([&] { track.pointAt(7); });
  expectIndexOutOfBounds([&] { std::as_const(track).pointAt(2); });
  expectIndexOutOfBounds([&] { track.positionAt(1); });
}

TEST(TrackQueries, NearestPointIsInMapUnitsAndTiesKeepTheLowerIndex) {
  track::TrackData empty;
  EXPECT_EQ(empty.nearestPointIndex({50, 50}), 0u);

  track::TrackData track;
  track.points = {{0, 0}, {400, 0}, {800, 0}, {400, 0}};
  EXPECT_EQ(track.nearestPointIndex({100, 1}), 1u);  // (400, 0) in world units is (100, 0)
  EXPECT_EQ(track.nearestPointIndex({150, 0}), 1u);  // tie between 1, 2 and 3
  EXPECT_EQ(track.nearestPointIndex({-5, 0}), 0u);
  EXPECT_EQ(track.nearestPointIndex({190, 0}), 2u);
}

TEST(EdgePoints, SpanTheRoadAcrossThePointWithItsOffset) {
  const track::EdgePoints edges = track::edgePoints({100, 100, 40, 10, 1.57079632675}, 1.0f);
  // The shortened half-pi leaves a tiny x difference.
  EXPECT_NEAR(edges.first.x, 100, 1e-7);
  EXPECT_NEAR(edges.first.y, 110, 1e-9);
  EXPECT_NEAR(edges.second.x, 100, 1e-7);
  EXPECT_NEAR(edges.second.y, 70, 1e-9);

  const track::EdgePoints scaled = track::edgePoints({800, 400, 80, 0, 0}, 4.0f);
  EXPECT_NEAR(scaled.first.x, 210, 1e-9);
  EXPECT_NEAR(scaled.second.x, 190, 1e-9);
  EXPECT_NEAR(scaled.first.y, 100, 1e-9);
}

TEST(EdgePoints, RotationIsBroughtIntoOneTurnByTheGamesConstant) {
  const double expected[][2] = {
      {-0.5, 5.783185307}, {7, 0.716814693}, {-20, -20 + 4 * 6.283185307}};
  for (const auto& [given, used] : expected) {
    const track::EdgePoints edges = track::edgePoints({0, 0, 2, 0, given}, 1.0f);
    EXPECT_NEAR(edges.first.x, std::cos(used), 1e-12) << given;
    EXPECT_NEAR(edges.first.y, std::sin(used), 1e-12) << given;
  }
  // A wild rotation must not keep the normalisation busy.
  const track::EdgePoints wild = track::edgePoints({0, 0, 2, 0, 1e15}, 1.0f);
  EXPECT_TRUE(std::isfinite(wild.first.x));
}

TEST(DrawLine, VisitsEveryCellAfterTheStartUpToTheEnd) {
  track::SurfaceMap map(20, 30);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-5, 35);
  for (int n = 0; n < 500; ++n) {
    const track::GridCell from{coordinate(random), coordinate(random)};
    const track::GridCell to{coordinate(random), coordinate(random)};
    const std::vector<track::GridCell> cells = track::drawLine(map, from, to, 3);
    ASSERT_FALSE(cells.empty());
    EXPECT_EQ(cells.back(), to);
    const std::size_t steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    EXPECT_EQ(cells.size(), std::max<std::size_t>(steps, 1));
    track::GridCell previous = from;
    for (const track::GridCell& c : cells) {
      EXPECT_LE(std::abs(c.x - previous.x), 1);
      EXPECT_LE(std::abs(c.y - previous.y), 1);
      previous = c;
    }
  }
}

TEST(DrawLine, FollowsBresenhamAndWritesOnlyInsideTheMap) {
  track::SurfaceMap map(3, 3);
  const std::vector<track::GridCell> shallow = track::drawLine(map, {0, 0}, {4, 2}, 5);
  EXPECT_EQ(shallow, (std::vector<track::GridCell>{{1, 1}, {2, 1}, {3, 2}, {4, 2}}));
  EXPECT_EQ(map.at(0, 0), 0);  // the start cell is not written
  EXPECT_EQ(map.at(1, 1), 5);
  EXPECT_EQ(map.at(1, 2), 5);

  track::SurfaceMap empty(3, 3);
  const std::vector<track::GridCell> diagonal = track::drawLine(empty, {-2, -2}, {4, 4}, 3);
  EXPECT_EQ(diagonal.size(), 6u);
  EXPECT_EQ(diagonal.front(), (track::GridCell{-1, -1}));
  int written = 0;
  for (std::int32_t cell : empty.cells) written += cell == 3;
  EXPECT_EQ(written, 3);

  const std::vector<track::GridCell> single = track::drawLine(empty, {1, 0}, {1, 0}, 9);
  EXPECT_EQ(single, (std::vector<track::GridCell>{{1, 0}}));
  EXPECT_EQ(empty.at(0, 1), 0);
}

TEST(GridLineWalk, VisitsTheCellsOfDrawLine) {
  track::SurfaceMap none;  // zero size: drawLine writes nothing and still lists every cell
  const int ends[][4] = {{0, 0, 7, 3},  {0, 0, 3, 7}, {5, 5, -4, 2}, {5, 5, 2, -4}, {0, 0, 6, 6},
                         {0, 0, -6, 6}, {3, 3, 3, 3}, {1, 1, 1, -9}, {0, 0, 13, -5}};
  for (const auto& e : ends) {
    std::vector<track::GridCell> walked;
    common::walkGridLine(e[0], e[1], e[2], e[3], [&](int x, int y) {
      walked.push_back({x, y});
      return true;
    });
    EXPECT_EQ(walked, track::drawLine(none, {e[0], e[1]}, {e[2], e[3]}, 3)) << e[2] << "," << e[3];
  }
}

TEST(SurfaceMapCells, AnswerSevenOutside) {
  track::SurfaceMap map(4, 5);
  EXPECT_EQ(map.at(3, 4), 0);
  EXPECT_EQ(map.at(-1, 0), track::SurfaceMap::kOutside);
  EXPECT_EQ(map.at(0, 5), 7);
  EXPECT_EQ(map.at(4, 0), 7);
}

// A straight road along +x from (100, 200) to (500, 200), 40 wide, closed by coming back along
// the same line: the map must hold exactly its rectangle.
track::TrackData straightRoad(double offset) {
  track::TrackData track;
  for (int x = 100; x <= 500; x += 50)
    track.points.push_back({double(x), 200, 40, offset, 1.57079632675});
  for (int x = 450; x > 100; x -= 50)
    track.points.push_back({double(x), 200, 40, -offset, -1.57079632675});
  track.extentX = 540;
  track.extentY = 240;
  return track;
}

TEST(BuildSurfaceMap, SizesTheGridFromTheExtents) {
  track::TrackData track = straightRoad(0);
  auto map = track::buildSurfaceMap(track, 4.0);
  EXPECT_EQ(map->columns, 136u);  // (4 + 540) / 4
  EXPECT_EQ(map->rows, 61u);      // (4 + 240) / 4
}

TEST(BuildSurfaceMap, FillsTheRoadBetweenItsEdgesAndNothingElse) {
  for (double offset : {0.0, 10.0}) {
    auto map = track::buildSurfaceMap(straightRoad(offset), 4.0);
    // Rows 45..55 cover y 180..220 shifted by the offset (edge 2 is on the left: up the screen).
    const int top = static_cast<int>((200 - 20 - offset) / 4);
    const int bottom = static_cast<int>((200 + 20 - offset) / 4);
    for (int row = 0; row < static_cast<int>(map->rows); ++row) {
      for (int column = 30; column <= 120; ++column) {
        const bool road = row >= top + 1 && row <= bottom - 1;
        const bool grass = row < top - 1 || row > bottom + 1;
        if (road) {
          EXPECT_EQ(map->at(row, column), track::SurfaceMap::kRoad) << row << "," << column;
        } else if (grass) {
          EXPECT_EQ(map->at(row, column), 0) << row << "," << column;
        }
      }
    }
  }
}

TEST(BuildSurfaceMap, SquareLoopLeavesTheInfieldAsGrass) {
  track::TrackData track;
  // A 400 × 400 loop with 60 wide road, clockwise on screen, rotations as import computes them.
  const double c = 0.785398163375;
  track.points = {{500, 100, 60, 0, 3 * c},
                  {500, 500, 60, 0, 5 * c},
                  {100, 500, 60, 0, 7 * c},
                  {100, 100, 60, 0, c}};
  track.extentX = 560;
  track.extentY = 560;
  auto map = track::buildSurfaceMap(track, 4.0);
  EXPECT_EQ(map->at(75, 75), 0);                          // the centre of the infield
  EXPECT_EQ(map->at(5, 5), 0);                            // outside the outer corner
  EXPECT_EQ(map->at(25, 75), track::SurfaceMap::kRoad);   // the middle of the top side
  EXPECT_EQ(map->at(75, 125), track::SurfaceMap::kRoad);  // the middle of the right side
  EXPECT_EQ(map->at(125, 75), track::SurfaceMap::kRoad);
  EXPECT_EQ(map->at(75, 25), track::SurfaceMap::kRoad);
}

// A road that doubles back on itself: random points, widths and offsets.
track::TrackData zigzagRoad() {
  std::mt19937 random(11);
  track::TrackData track;
  track.extentX = 1600;
  track.extentY = 1200;
  for (int i = 0; i < 40; ++i) {
    const double x = 100 + static_cast<double>(random() % 1400);
    const double y = 100 + static_cast<double>(random() % 1000);
    const double width = 20 + static_cast<double>(random() % 180);
    const double offset = static_cast<double>(random() % 41) - 20;
    const double rotation = static_cast<double>(random() % 6284) / 1000;
    track.points.push_back({x, y, width, offset, rotation});
  }
  return track;
}

// Races, drivers and the painter all read the map: its cells must not depend on the threads
// that build it, and must stay those that the game has always drawn (the stored hash).
TEST(BuildSurfaceMap, SameCellsOnOneThreadAsOnSeveralAndAsEver) {
  const track::TrackData track = zigzagRoad();
  common::parallel::setThreadCount(1);
  const auto alone = track::buildSurfaceMap(track, 0.5);
  common::parallel::setThreadCount(3);
  const auto shared = track::buildSurfaceMap(track, 0.5);
  common::parallel::setThreadCount(0);
  ASSERT_TRUE(alone->cells == shared->cells);
  std::uint64_t hash = 14695981039346656037ull;
  for (std::int32_t cell : shared->cells) {
    hash = (hash ^ static_cast<std::uint32_t>(cell)) * 1099511628211ull;
  }
  EXPECT_EQ(hash, 14051094254536797693ull);
}

// The painter's widened roads are masks: they must hold exactly the road of the map.
TEST(BuildSurfaceMap, RoadMaskMarksTheMapsRoadCellsAndNoOthers) {
  const track::TrackData track = zigzagRoad();
  const auto map = track::buildSurfaceMap(track, 0.5);
  const auto mask = track::buildRoadMask(track, 0.5);
  ASSERT_EQ(mask->rows, map->rows);
  ASSERT_EQ(mask->columns, map->columns);
  std::size_t differing = 0;
  for (std::size_t i = 0; i < map->cells.size(); ++i) {
    const bool road = map->cells[i] == track::SurfaceMap::kRoad;
    differing += mask->cells[i] != (road ? track::RoadMask::kOnRoad : track::RoadMask::kOffRoad);
  }
  EXPECT_EQ(differing, 0u);
}

TEST(SurfaceMapLimits, RefuseOversizedOrFarFlungTracksBeforeAllocating) {
  track::TrackData large;
  large.points = {{0, 0, 60, 0, 0}, {100, 100, 60, 0, 0}};
  large.extentX = 8001;
  large.extentY = 100;
  std::string reason;
  EXPECT_FALSE(track::surfaceMapFits(large, 4.0, &reason));
  EXPECT_NE(reason.find("too large"), std::string::npos);
  EXPECT_THROW(track::buildSurfaceMap(large, 4.0), std::length_error);

  large.extentX = 4000;
  large.extentY = 3001;  // over 12 000 000 square units
  EXPECT_FALSE(track::surfaceMapFits(large, 0.5));
  large.extentY = 3000;
  EXPECT_TRUE(track::surfaceMapFits(large, 0.5));
  EXPECT_FALSE(track::surfaceMapFits(large, 0.1));
  EXPECT_FALSE(track::surfaceMapFits(large, std::nan("")));

  track::TrackData farAway;
  farAway.points = {{-1e12, 0, 60, 0, 0}, {100, 100, 60, 0, 0}};
  farAway.extentX = farAway.extentY = 160;
  EXPECT_FALSE(track::surfaceMapFits(farAway, 4.0, &reason));
  EXPECT_THROW(track::buildSurfaceMap(farAway, 4.0), std::length_error);
  farAway.points[0] = {0, 0, std::nan(""), 0, 0};
  EXPECT_THROW(track::buildSurfaceMap(farAway, 4.0), std::length_error);
  farAway.points[0] = {0, 0, 60, 0, INFINITY};
  EXPECT_THROW(track::buildSurfaceMap(farAway, 4.0), std::length_error);
}

}  // namespace
