#include "drivers/RoadClearance.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace drivers {

namespace {

constexpr float kDiagonal = 1.41421356f;
constexpr int kMostSquareRoom = 255;

// Two sweeps carry every distance on, down and right first, then up and left; `step` gives a
// cell its distance from a neighbour's (row and column offsets -1..1), `value` reads a cell
// (0 beyond the border, where there is no road).
template <typename Cells, typename Step>
void sweepDistances(Cells& cells, std::int64_t rows, std::int64_t columns, Step step) {
  const auto value = [&](std::int64_t row, std::int64_t column) {
    using Cell = typename Cells::value_type;
    if (row < 0 || column < 0 || row >= rows || column >= columns) return Cell{0};
    return cells[static_cast<std::size_t>(row * columns + column)];
  };
  for (std::int64_t row = 0; row < rows; ++row) {
    for (std::int64_t column = 0; column < columns; ++column) {
      auto& cell = cells[static_cast<std::size_t>(row * columns + column)];
      if (cell == 0) continue;
      cell = std::min({cell, step(value(row, column - 1), false),
                       step(value(row - 1, column), false), step(value(row - 1, column - 1), true),
                       step(value(row - 1, column + 1), true)});
    }
  }
  for (std::int64_t row = rows - 1; row >= 0; --row) {
    for (std::int64_t column = columns - 1; column >= 0; --column) {
      auto& cell = cells[static_cast<std::size_t>(row * columns + column)];
      if (cell == 0) continue;
      cell = std::min({cell, step(value(row, column + 1), false),
                       step(value(row + 1, column), false), step(value(row + 1, column + 1), true),
                       step(value(row + 1, column - 1), true)});
    }
  }
}

}  // namespace

RoadClearance::RoadClearance(const track::SurfaceMap& map)
    : rows_(map.rows), columns_(map.columns) {
  measureRoom(map);
  measureSquares(map);
}

void RoadClearance::measureRoom(const track::SurfaceMap& map) {
  const float far = std::numeric_limits<float>::max() / 4;
  cells_.resize(map.cells.size());
  for (std::size_t i = 0; i < cells_.size(); ++i)
    cells_[i] = map.cells[i] == track::SurfaceMap::kRoad ? far : 0.0f;
  sweepDistances(cells_, rows_, columns_, [](float neighbour, bool diagonal) {
    return neighbour + (diagonal ? kDiagonal : 1);
  });
}

void RoadClearance::measureSquares(const track::SurfaceMap& map) {
  // Counting every step as one, diagonal or not, measures the distance in squares.
  squares_.resize(map.cells.size());
  for (std::size_t i = 0; i < squares_.size(); ++i)
    squares_[i] = map.cells[i] == track::SurfaceMap::kRoad ? kMostSquareRoom : 0;
  sweepDistances(squares_, rows_, columns_, [](std::uint8_t neighbour, bool) {
    return static_cast<std::uint8_t>(std::min(neighbour + 1, kMostSquareRoom));
  });
}

double RoadClearance::at(double x, double y) const {
  if (!(x >= 0 && y >= 0 && x < static_cast<double>(columns_) && y < static_cast<double>(rows_))) {
    return 0;
  }
  const auto row = static_cast<std::int64_t>(y);
  const auto column = static_cast<std::int64_t>(x);
  return cells_[static_cast<std::size_t>(row * columns_ + column)];
}

}  // namespace drivers
