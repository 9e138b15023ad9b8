#pragma once
#include <cstdint>

#include "track/CellGrid.h"

namespace track {

// Road or not, one byte a cell: the road builder's grid for callers that need no other kind of
// ground (the painter's widened roads), a quarter of a SurfaceMap's memory.
struct RoadMask : CellGrid<std::uint8_t> {
  static constexpr Cell kOffRoad = 0;  // what a new mask holds everywhere
  static constexpr Cell kOnRoad = 1;

  using CellGrid::CellGrid;
};

}  // namespace track
