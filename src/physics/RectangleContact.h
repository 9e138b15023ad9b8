#pragma once

namespace physics {

// A rectangle for the contact test: centre (world units), half extents across (sx) and along
// (sy) the car, and its angle in radians (a car's getAngle, the negated heading).
struct ContactRectangle {
  double x = 0;
  double y = 0;
  double sx = 0;
  double sy = 0;
  double angle = 0;
};

// Exact overlap test of two rotated rectangles (touching edges count as contact). P is taken
// as the reference; partly computed in single precision, so results right at the boundary may
// differ by a rounding error from an exact computation.
bool rectanglesTouch(const ContactRectangle& p, const ContactRectangle& q);

}  // namespace physics
