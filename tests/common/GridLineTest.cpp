#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/GridLine.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

Cells walk(int fromX, int fromY, int toX, int toY) {
  Cells cells;
  common::walkGridLine(fromX, fromY, toX, toY, [&](int x, int y) {
    cells.emplace_back(x, y);
    return true;
  });
  return cells;
}

TEST(GridLineWalk, VisitsEveryCellAfterTheStartAndStopsWhenAsked) {
  EXPECT_EQ(walk(0, 0, 4, 1), (Cells{{1, 0}, {2, 1}, {3, 1}, {4, 1}}));
  EXPECT_EQ(walk(2, 2, 2, -1), (Cells{{2, 1}, {2, 0}, {2, -1}}));
  EXPECT_EQ(walk(5, 5, 5, 5), (Cells{{5, 5}}));  // one cell: its start
  int visited = 0;
  EXPECT_FALSE(common::walkGridLine(0, 0, 10, 10, [&](int, int) { return ++visited < 3; }));
  EXPECT_EQ(visited, 3);
  // Ends four billion cells apart do not overflow the differences.
  Cells first;
  common::walkGridLine(-2'000'000'000, 0, 2'000'000'000, 0, [&](int x, int y) {
    first.emplace_back(x, y);
    return false;
  });
  EXPECT_EQ(first, (Cells{{-1'999'999'999, 0}}));
}

TEST(GridLineWalk, AnyCellOfTheLineIsFoundWithoutWalking) {
  for (int toX = -7; toX <= 7; ++toX) {
    for (int toY = -7; toY <= 7; ++toY) {
      const Cells cells = walk(3, -2, 3 + toX, -2 + toY);
      EXPECT_EQ(common::gridLineCell(3, -2, 3 + toX, -2 + toY, 0), std::make_pair(3, -2));
      if (toX == 0 && toY == 0) continue;
      for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(common::gridLineCell(3, -2, 3 + toX, -2 + toY, static_cast<long long>(i) + 1),
                  cells[i])
            << "to " << toX << "," << toY << ", step " << i + 1;
      }
    }
  }
}

}  // namespace
