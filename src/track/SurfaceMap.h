#pragma once
#include <cstdint>

#include "track/CellGrid.h"

namespace track {

// A grid of cells rasterised from the road: kGrass or kRoad (the background generator marks
// further values).
struct SurfaceMap : CellGrid<std::int32_t> {
  // The race's map tells the car what ground it is on. The road builder writes grass and road;
  // the painted background adds the other kinds off the road, where it painted them.
  static constexpr Cell kGrass = 0;  // what a new map holds everywhere
  static constexpr Cell kRoad = 3;
  static constexpr Cell kOutside = 7;  // what a query beyond the map answers
  static constexpr Cell kSand = 11;
  static constexpr Cell kSnow = 12;
  static constexpr Cell kGravel = 13;
  static constexpr Cell kWater = 14;  // not drivable, like the ground beyond the map
  // World units per cell of the map a race is driven on (the cars' ground, the drivers' plans).
  static constexpr double kRaceCellSize = 4.0;

  using CellGrid::CellGrid;

  // The cell's value, or kOutside when the row or column lies outside the map.
  Cell at(long long row, long long column) const {
    return inside(row, column) ? cells[static_cast<std::size_t>(row) * columns + column] : kOutside;
  }
  void set(long long row, long long column, Cell value) {
    if (inside(row, column)) cells[static_cast<std::size_t>(row) * columns + column] = value;
  }
};

}  // namespace track
