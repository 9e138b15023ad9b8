#pragma once
#include <cmath>

namespace physics {

// A plain 2D vector for the car model (metres, metres per second, ...).
struct Vec2 {
  double x = 0;
  double y = 0;

  Vec2 operator+(Vec2 o) const { return {x + o.x, y + o.y}; }
  Vec2 operator-(Vec2 o) const { return {x - o.x, y - o.y}; }
  Vec2 operator*(double s) const { return {x * s, y * s}; }
  Vec2& operator+=(Vec2 o) {
    x += o.x;
    y += o.y;
    return *this;
  }
  double length() const { return std::sqrt(x * x + y * y); }
};

}  // namespace physics
