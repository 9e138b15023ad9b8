#include "drivers/RoadClearance.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace drivers {

namespace {

constexpr float kDiagonal = 1.41421356f;

}  // namespace

RoadClearance::RoadClearance(const track::SurfaceMap& map)
    : rows_(map.rows), columns_(map.columns), cells_(map.cells.size()) {
  const float far = std::numeric_limits<float>::max() / 4;
  for (std::size_t i = 0; i < cells_.size(); ++i)
    cells_[i] = map.cells[i] == track::SurfaceMap::kRoad ? far : 0.0f;
  // Beyond the border lies no road: a neighbour off the map holds 0.
  const auto value = [this](std::int64_t row, std::int64_t column) {
    if (row < 0 || column < 0 || row >= rows_ || column >= columns_) return 0.0f;
    return cells_[static_cast<std::size_t>(row * columns_ + column)];
  };
  // Two sweeps carry every distance on, down and right first, then up and left.
  for (std::int64_t row = 0; row < rows_; ++row) {
    for (std::int64_t column = 0; column < columns_; ++column) {
      float& cell = cells_[static_cast<std::size_t>(row * columns_ + column)];
      if (cell == 0) continue;
      cell = std::min({cell, value(row, column - 1) + 1, value(row - 1, column) + 1,
                       value(row - 1, column - 1) + kDiagonal,
                       value(row - 1, column + 1) + kDiagonal});
    }
  }
  for (std::int64_t row = rows_ - 1; row >= 0; --row) {
    for (std::int64_t column = columns_ - 1; column >= 0; --column) {
      float& cell = cells_[static_cast<std::size_t>(row * columns_ + column)];
      if (cell == 0) continue;
      cell = std::min({cell, value(row, column + 1) + 1, value(row + 1, column) + 1,
                       value(row + 1, column + 1) + kDiagonal,
                       value(row + 1, column - 1) + kDiagonal});
    }
  }
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
