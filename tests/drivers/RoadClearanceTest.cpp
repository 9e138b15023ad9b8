#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "drivers/RoadClearance.h"

namespace {

// The largest n for which every cell fewer than n rows and columns away is road on the map.
int squareOfRoad(const track::SurfaceMap& map, int row, int column) {
  int n = 0;
  for (;;) {
    for (int r = row - n; r <= row + n; ++r) {
      for (int c = column - n; c <= column + n; ++c) {
        if (map.at(r, c) != track::SurfaceMap::kRoad) return n;
      }
    }
    ++n;
  }
}

TEST(RoadClearance, SquareRoomIsTheLargestSquareOfRoadAroundTheCell) {
  // Road with holes of other ground, touching the map's border on two sides.
  track::SurfaceMap map(30, 40);
  std::uint32_t noise = 7;
  for (int r = 0; r < 30; ++r) {
    for (int c = 0; c < 40; ++c) {
      noise = noise * 1103515245u + 12345u;
      const bool hole = (noise >> 16) % 23 == 0 || (r > 20 && c < 6);
      map.set(r, c, hole ? track::SurfaceMap::kSand : track::SurfaceMap::kRoad);
    }
  }
  const drivers::RoadClearance clearance(map);
  for (int r = -1; r <= 30; ++r) {
    for (int c = -1; c <= 40; ++c) {
      EXPECT_EQ(clearance.squareRoom(r, c), squareOfRoad(map, r, c)) << r << "," << c;
    }
  }
}

}  // namespace
