#pragma once
#include <cstdint>
#include <vector>

#include "common/ZeroedAllocator.h"

namespace track {

// A grid of cells laid over a track, row-major: index = row × columns + column. Sized once, by
// the constructor, with every cell zero; a large grid costs nothing until a cell is written.
template <typename CellType>
struct CellGrid {
  using Cell = CellType;

  std::uint32_t rows = 0;
  std::uint32_t columns = 0;
  std::vector<Cell, common::ZeroedAllocator<Cell>> cells;

  CellGrid() = default;
  CellGrid(std::uint32_t rowCount, std::uint32_t columnCount)
      : rows(rowCount),
        columns(columnCount),
        cells(static_cast<std::size_t>(rowCount) * columnCount) {}

  bool inside(long long row, long long column) const {
    return row >= 0 && column >= 0 && row < static_cast<long long>(rows) &&
           column < static_cast<long long>(columns);
  }
};

}  // namespace track
