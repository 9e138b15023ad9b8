#pragma once
#include <cstdint>
#include <vector>

#include "track/SurfaceMap.h"

namespace drivers {

// How far every cell of a surface map lies from the nearest cell that is not road
// (SurfaceMap::kRoad): the room a line has there, and the square of road a car has around it.
// Everything off the map counts as not road. A race works this out once per track and all its
// computer drivers read it.
class RoadClearance {
 public:
  explicit RoadClearance(const track::SurfaceMap& map);

  // The room at a point in map units (x = column, y = row), measured between cell centres with
  // steps of 1 and √2: 0 off the road or off the map, about 12 in the middle of a road 100
  // world units wide.
  double at(double x, double y) const;

  // The square of road centred on a cell: every cell fewer than this many rows and columns
  // away is road. 0 off the road or off the map, 1 on a road cell next to grass, 3 where the
  // 5 × 5 block around the cell is road; at most 255.
  int squareRoom(std::int64_t row, std::int64_t column) const {
    if (!inside(row, column)) return 0;
    return squares_[static_cast<std::size_t>(row * columns_ + column)];
  }

  std::int64_t rows() const { return rows_; }
  std::int64_t columns() const { return columns_; }
  bool inside(std::int64_t row, std::int64_t column) const {
    return row >= 0 && column >= 0 && row < rows_ && column < columns_;
  }

 private:
  void measureRoom(const track::SurfaceMap& map);
  void measureSquares(const track::SurfaceMap& map);

  std::int64_t rows_ = 0;
  std::int64_t columns_ = 0;
  std::vector<float> cells_;
  std::vector<std::uint8_t> squares_;
};

}  // namespace drivers
