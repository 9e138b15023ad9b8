#include "background/PaintLoop.h"

namespace background {

namespace painting {

namespace {

// The edge-line rule over the cells around one: at(dr, dc) reads the cell dr rows and dc
// columns away.
template <typename At>
bool edgeLineAround(At&& at) {
  if (at(0, 0) != zone::kRoad || at(-2, 0) != zone::kRoad || at(2, 0) != zone::kRoad ||
      at(0, -2) != zone::kRoad || at(0, 2) != zone::kRoad) {
    return false;
  }
  auto offRoad = [&](long long dr, long long dc) { return zone::offRoad(at(dr, dc)); };
  return offRoad(-5, 0) || offRoad(5, 0) || offRoad(0, 5) || offRoad(0, -5) || offRoad(-3, -3) ||
         offRoad(-3, 3) || offRoad(3, -3) || offRoad(3, 3);
}

}  // namespace

bool isEdgeLineCell(const track::SurfaceMap& map, long long row, long long column) {
  constexpr long long kReach = 5;  // the farthest cell looked at, along a row or a column
  const auto rows = static_cast<long long>(map.rows);
  const auto columns = static_cast<long long>(map.columns);
  if (row >= kReach && row < rows - kReach && column >= kReach && column < columns - kReach) {
    // Well inside the map (nearly every road cell): plain reads around the cell.
    const std::int32_t* cell =
        map.cells.data() + static_cast<std::size_t>(row) * map.columns + column;
    const auto stride = static_cast<std::ptrdiff_t>(map.columns);
    return edgeLineAround([&](long long dr, long long dc) { return cell[dr * stride + dc]; });
  }
  return edgeLineAround([&](long long dr, long long dc) { return map.at(row + dr, column + dc); });
}

const std::int32_t* cellRow(const track::SurfaceMap& map, long long row, int count,
                            std::vector<std::int32_t>& spare) {
  if (row >= 0 && row < static_cast<long long>(map.rows) &&
      count <= static_cast<long long>(map.columns)) {
    return map.cells.data() + static_cast<std::size_t>(row) * map.columns;
  }
  spare.resize(static_cast<std::size_t>(count));
  for (int column = 0; column < count; ++column) spare[column] = map.at(row, column);
  return spare.data();
}

}  // namespace painting

}  // namespace background
