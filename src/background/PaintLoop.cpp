#include "background/PaintLoop.h"

namespace background {

namespace painting {

bool isEdgeLineCell(const track::SurfaceMap& map, long long row, long long column) {
  if (map.at(row, column) != zone::kRoad) return false;
  if (map.at(row - 2, column) != zone::kRoad || map.at(row + 2, column) != zone::kRoad ||
      map.at(row, column - 2) != zone::kRoad || map.at(row, column + 2) != zone::kRoad) {
    return false;
  }
  auto offRoad = [&](long long r, long long c) { return zone::offRoad(map.at(r, c)); };
  return offRoad(row - 5, column) || offRoad(row + 5, column) || offRoad(row, column + 5) ||
         offRoad(row, column - 5) || offRoad(row - 3, column - 3) || offRoad(row - 3, column + 3) ||
         offRoad(row + 3, column - 3) || offRoad(row + 3, column + 3);
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
