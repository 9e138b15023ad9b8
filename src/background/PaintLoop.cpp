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

}  // namespace painting

}  // namespace background
