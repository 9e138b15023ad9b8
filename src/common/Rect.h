#pragma once

namespace common {

// A rectangle of whole pixels (or cells) given by its edges, left < right and top < bottom.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  // Strictly inside: a point on an edge is outside, so neighbouring rectangles that share an
  // edge never both claim the pointer.
  constexpr bool strictlyContains(int x, int y) const {
    return left < x && x < right && top < y && y < bottom;
  }
};

}  // namespace common
