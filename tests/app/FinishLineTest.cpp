// The painted background and the race's referee agree on where a lap ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "background/BackgroundGenerator.h"
#include "race/LapTable.h"
#include "support/SmallTrack.h"
#include "support/TestSupport.h"

namespace {

// World units from (x, y) to the segment.
double distanceTo(const race::LineSegment& line, double x, double y) {
  const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  const double lengthSquared = dx * dx + dy * dy;
  const double t =
      lengthSquared > 0
          ? std::clamp(((x - line.x1) * dx + (y - line.y1) * dy) / lengthSquared, 0.0, 1.0)
          : 0.0;
  return std::hypot(line.x1 + t * dx - x, line.y1 + t * dy - y);
}

TEST(FinishLine, IsPaintedWhereTheLapsAreCounted) {
  testsupport::TempDir dir;
  const auto track = bgtest::loadRoundedLoop(dir.folder());
  background::BackgroundGenerator generator;
  // The first call starts; the next two lay out the road and its line marks on the painter's map.
  for (int call = 0; call < 3; ++call) {
    ASSERT_TRUE(generator.step(*track, dir.folder() + "loop.png", {}, false))
        << generator.lastError();
  }
  const track::SurfaceMap& map = *generator.map();
  const race::LineSegment counted = race::finishLineOf(*track);
  const double cell = background::BackgroundGenerator::kCellSize;
  int painted = 0;
  for (std::uint32_t row = 0; row < map.rows; ++row) {
    for (std::uint32_t column = 0; column < map.columns; ++column) {
      if (map.at(row, column) != background::BackgroundGenerator::kFinishLine) continue;
      ++painted;
      const double x = (column + 0.5) * cell, y = (row + 0.5) * cell;
      ASSERT_LT(distanceTo(counted, x, y), 2 * cell) << "painted at " << x << ", " << y;
    }
  }
  // Right across the road, not a dot.
  EXPECT_GT(painted * cell, track->points.back().width * 0.6);
}

}  // namespace
