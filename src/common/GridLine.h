#pragma once
#include <concepts>

namespace common {

// Visits the cells of the Bresenham line from (fromX, fromY) to (toX, toY) on a grid (x =
// column, y = row): every cell after the start up to and including the end; a line of one cell
// visits its start. Stops and returns false as soon as `visit(x, y)` returns false.
template <std::signed_integral T, typename Visit>
bool walkGridLine(T fromX, T fromY, T toX, T toY, Visit&& visit) {
  // Differences and errors in 64 bits: any two int cells give a line without overflow.
  const long long dx =
      toX >= fromX ? static_cast<long long>(toX) - fromX : static_cast<long long>(fromX) - toX;
  const long long dy =
      toY >= fromY ? static_cast<long long>(toY) - fromY : static_cast<long long>(fromY) - toY;
  const T stepX = toX >= fromX ? 1 : -1;
  const T stepY = toY >= fromY ? 1 : -1;
  if (dx == 0 && dy == 0) return visit(fromX, fromY);
  T x = fromX;
  T y = fromY;
  if (dx > dy) {
    long long error = 2 * dy - dx;
    for (long long i = 0; i < dx; ++i) {
      if (error >= 0) {
        y += stepY;
        error -= 2 * dx;
      }
      error += 2 * dy;
      x += stepX;
      if (!visit(x, y)) return false;
    }
  } else {
    long long error = 2 * dx - dy;
    for (long long i = 0; i < dy; ++i) {
      if (error >= 0) {
        x += stepX;
        error -= 2 * dy;
      }
      error += 2 * dx;
      y += stepY;
      if (!visit(x, y)) return false;
    }
  }
  return true;
}

}  // namespace common
