#pragma once
#include <cstdint>
#include <vector>

#include "common/ZeroedAllocator.h"

namespace track {

// A grid of cells rasterised from the road: kGrass or kRoad (the background generator marks
// further values). Row-major: index = row × columns + column.
struct SurfaceMap {
  // The race's map tells the car what ground it is on. The road builder writes grass and road;
  // the painted background adds the other kinds off the road, where it painted them.
  static constexpr std::int32_t kGrass = 0;
  static constexpr std::int32_t kRoad = 3;
  static constexpr std::int32_t kOutside = 7;  // what a query beyond the map answers
  static constexpr std::int32_t kSand = 11;
  static constexpr std::int32_t kSnow = 12;
  static constexpr std::int32_t kGravel = 13;
  static constexpr std::int32_t kWater = 14;  // not drivable, like the ground beyond the map
  // World units per cell of the map a race is driven on (the cars' ground, the drivers' plans).
  static constexpr double kRaceCellSize = 4.0;

  std::uint32_t rows = 0;
  std::uint32_t columns = 0;
  // Sized once, by the constructor; a large map's grass costs nothing until a cell is written.
  std::vector<std::int32_t, common::ZeroedAllocator<std::int32_t>> cells;

  SurfaceMap() = default;
  SurfaceMap(std::uint32_t rowCount, std::uint32_t columnCount)
      : rows(rowCount),
        columns(columnCount),
        cells(static_cast<std::size_t>(rowCount) * columnCount) {
    static_assert(kGrass == 0, "a new map is all grass because its memory starts zeroed");
  }

  bool inside(long long row, long long column) const {
    return row >= 0 && column >= 0 && row < static_cast<long long>(rows) &&
           column < static_cast<long long>(columns);
  }
  // The cell's value, or kOutside when the row or column lies outside the map.
  std::int32_t at(long long row, long long column) const {
    return inside(row, column) ? cells[static_cast<std::size_t>(row) * columns + column] : kOutside;
  }
  void set(long long row, long long column, std::int32_t value) {
    if (inside(row, column)) cells[static_cast<std::size_t>(row) * columns + column] = value;
  }
};

}  // namespace track
