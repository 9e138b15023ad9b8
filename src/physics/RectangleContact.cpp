#include "physics/RectangleContact.h"

#include <cmath>
#include <utility>

namespace physics {

namespace {

struct Vec2f {
  float x = 0;
  float y = 0;
};

// The lowest (first) or highest (second) point of P over one end of Q's horizontal range;
// `a` is the vertex of P that is extreme vertically, `b` the one extreme horizontally, both
// mirrored as the caller needs them.
float verticalExtent(float ay, float ax, float bx, float by, double left, double right,
                     bool negate) {
  float e = negate ? -ay : ay;
  float x = static_cast<float>(left - (negate ? -ax : ax));
  const float w = static_cast<float>(right - (negate ? -ax : ax));
  if (w * x > 0) {
    // The extreme vertex lies outside Q's range: follow P's edge to the nearer end of it.
    float dx = negate ? -ax : ax;
    if (x < 0) {
      dx -= bx;
      e -= by;
      x = w;
    } else {
      dx += bx;
      e += by;
    }
    e = negate ? (e * x) / dx - ay : ay + (e * x) / dx;
  }
  return e;
}

}  // namespace

bool rectanglesTouch(const ContactRectangle& p, const ContactRectangle& q) {
  const float g = static_cast<float>(p.angle - q.angle);
  const float cg = std::cos(g);
  const float sg = std::sin(g);

  // Q's frame: Q's centre relative to P's, turned so that Q is an axis-aligned box.
  const double dx = q.x - p.x;
  const double dy = q.y - p.y;
  const double cq = std::cos(q.angle);
  const double sq = std::sin(q.angle);
  const double cx = cq * dx + sq * dy;
  const double cy = cq * dy - sq * dx;
  const double blX = cx - q.sx, blY = cy - q.sy;
  const double trX = cx + q.sx, trY = cy + q.sy;

  // Two corners of P turned into Q's frame; with their mirror images they are P's four corners.
  const float psx = static_cast<float>(p.sx);
  const float psy = static_cast<float>(p.sy);
  Vec2f a{-psy * sg + psx * cg, psy * cg + psx * sg};
  Vec2f b{-psy * sg - psx * cg, psy * cg - psx * sg};

  // Make A the vertically extreme corner and B the leftmost one.
  const float t = sg * cg;
  if (t < 0) std::swap(a, b);
  if (sg < 0) b = {-b.x, -b.y};

  // Q lies wholly right or left of P.
  if (b.x > trX || b.x > -blX) return false;

  float e1 = 0;
  float e2 = 0;
  if (t == 0) {
    e1 = a.y;
    e2 = -a.y;
  } else {
    e1 = verticalExtent(a.y, a.x, b.x, b.y, blX, trX, false);
    e2 = verticalExtent(a.y, a.x, b.x, b.y, blX, trX, true);
  }
  return !((e1 < blY && e2 < blY) || (e1 > trY && e2 > trY));
}

}  // namespace physics
