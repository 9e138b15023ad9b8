#pragma once
#include <concepts>
#include <utility>

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

// The cell (x, y) that walkGridLine visits `step` cells along the line's longer axis from its
// start (0 = the start, up to the longer axis's length), worked out without walking there.
// For lines shorter than 2^31 cells along either axis.
template <std::signed_integral T>
std::pair<T, T> gridLineCell(T fromX, T fromY, T toX, T toY, long long step) {
  const long long dx =
      toX >= fromX ? static_cast<long long>(toX) - fromX : static_cast<long long>(fromX) - toX;
  const long long dy =
      toY >= fromY ? static_cast<long long>(toY) - fromY : static_cast<long long>(fromY) - toY;
  const long long major = dx > dy ? dx : dy;
  const long long minor = dx > dy ? dy : dx;
  // The walk's error term moves the short axis on at the rounded point of the exact line:
  // minor × step / major, halves rounding down.
  const long long across =
      major == 0 ? 0 : minor * step / major + (2 * (minor * step % major) >= major ? 1 : 0);
  const long long alongX = dx > dy ? step : across;
  const long long alongY = dx > dy ? across : step;
  return {static_cast<T>(toX >= fromX ? fromX + alongX : fromX - alongX),
          static_cast<T>(toY >= fromY ? fromY + alongY : fromY - alongY)};
}

}  // namespace common
