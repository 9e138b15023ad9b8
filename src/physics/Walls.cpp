#include "physics/Walls.h"

#include <cmath>

namespace physics {

namespace walls {

namespace {

constexpr double kWorldToMap = 0.25;  // a race map cell is 4 world units

double dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}

}  // namespace

bool blocked(const track::SurfaceMap& map, Vec2 world) {
  const double column = std::floor(world.x * kWorldToMap);
  const double row = std::floor(world.y * kWorldToMap);
  if (!(column >= 0 && row >= 0 && column < map.columns && row < map.rows)) return true;
  return map.at(static_cast<long long>(row), static_cast<long long>(column)) ==
         track::SurfaceMap::kWater;
}

Vec2 normalAt(const track::SurfaceMap& map, Vec2 world, double reach) {
  static const double kDiagonal = std::sqrt(0.5);
  static const Vec2 kProbes[] = {
      {1, 0},  {kDiagonal, kDiagonal},   {0, 1},  {-kDiagonal, kDiagonal},
      {-1, 0}, {-kDiagonal, -kDiagonal}, {0, -1}, {kDiagonal, -kDiagonal}};
  Vec2 towardWalls;
  for (const Vec2& probe : kProbes) {
    if (blocked(map, world + probe * reach)) towardWalls += probe;
  }
  const double length = towardWalls.length();
  if (length < 1e-9) return {};
  return towardWalls * (-1.0 / length);
}

Vec2 stopAgainstWalls(const track::SurfaceMap& map, Vec2 before, Vec2 after, Vec2& velocity) {
  if (blocked(map, before)) return after;
  const Vec2 normal = normalAt(map, after);
  if (normal.x == 0 && normal.y == 0) return blocked(map, after) ? before : after;
  const double into = dot(velocity, normal);
  if (into < 0) velocity = velocity - normal * into;
  Vec2 move = after - before;
  const double moveInto = dot(move, normal);
  if (moveInto < 0) move = move - normal * moveInto;
  const Vec2 corrected = before + move;
  // In a corner the slide along one wall may lead into the other.
  return blocked(map, corrected) ? before : corrected;
}

}  // namespace walls

}  // namespace physics
