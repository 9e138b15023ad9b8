#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace skin {

Rgba hex(std::uint32_t rgb, float alpha) {
  return {static_cast<float>((rgb >> 16) & 0xff) / 255.0f,
          static_cast<float>((rgb >> 8) & 0xff) / 255.0f, static_cast<float>(rgb & 0xff) / 255.0f,
          alpha};
}

Rgba mix(const Rgba& from, const Rgba& to, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Rgba withAlpha(Rgba colour, float alpha) {
  colour.a = alpha;
  return colour;
}

Paint solid(Rgba colour) {
  return [colour](float, float) { return colour; };
}

Paint verticalGradient(float y0, Rgba top, float y1, Rgba bottom) {
  return [=](float, float y) { return mix(top, bottom, (y - y0) / std::max(1e-3f, y1 - y0)); };
}

Canvas::Canvas(int width, int height, Rgba background)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * height, background) {}

void Canvas::blend(int x, int y, Rgba c, float coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const float sa = std::clamp(c.a * coverage, 0.0f, 1.0f);
  if (sa <= 0.0f) return;
  Rgba& d = pixels_[index(x, y)];
  const float outA = sa + d.a * (1.0f - sa);
  auto channel = [&](float s, float dc) { return (s * sa + dc * d.a * (1.0f - sa)) / outA; };
  d = {channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), outA};
}

float roundRectDistance(float px, float py, float x0, float y0, float x1, float y1, float r) {
  const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
  const float hx = (x1 - x0) * 0.5f - r, hy = (y1 - y0) * 0.5f - r;
  const float qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

void Canvas::fillRoundRect(float x0, float y0, float x1, float y1, float r, const Paint& paint) {
  for (int y = std::max(0, static_cast<int>(y0) - 1);
       y < std::min(height_, static_cast<int>(y1) + 2); ++y) {
    for (int x = std::max(0, static_cast<int>(x0) - 1);
         x < std::min(width_, static_cast<int>(x1) + 2); ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float d = roundRectDistance(px, py, x0, y0, x1, y1, r);
      blend(x, y, paint(px, py), std::clamp(0.5f - d, 0.0f, 1.0f));
    }
  }
}

void Canvas::strokeRoundRect(float x0, float y0, float x1, float y1, float r, float width,
                             const Paint& paint) {
  for (int y = std::max(0, static_cast<int>(y0) - 1);
       y < std::min(height_, static_cast<int>(y1) + 2); ++y) {
    for (int x = std::max(0, static_cast<int>(x0) - 1);
         x < std::min(width_, static_cast<int>(x1) + 2); ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float d = roundRectDistance(px, py, x0, y0, x1, y1, r);
      const float ring = std::abs(d + width * 0.5f) - width * 0.5f;
      blend(x, y, paint(px, py), std::clamp(0.5f - ring, 0.0f, 1.0f));
    }
  }
}

namespace {
float segmentDistance(float px, float py, const Segment& s) {
  const float vx = s.b.x - s.a.x, vy = s.b.y - s.a.y;
  const float wx = px - s.a.x, wy = py - s.a.y;
  const float length2 = vx * vx + vy * vy;
  const float t = length2 > 0 ? std::clamp((wx * vx + wy * vy) / length2, 0.0f, 1.0f) : 0.0f;
  return std::hypot(wx - vx * t, wy - vy * t);
}
}  // namespace

void Canvas::strokeSegments(const std::vector<Segment>& segments, float radius,
                            const Paint& paint) {
  if (segments.empty()) return;
  float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
  for (const Segment& s : segments) {
    minX = std::min({minX, s.a.x, s.b.x});
    maxX = std::max({maxX, s.a.x, s.b.x});
    minY = std::min({minY, s.a.y, s.b.y});
    maxY = std::max({maxY, s.a.y, s.b.y});
  }
  const int x0 = std::max(0, static_cast<int>(minX - radius) - 1);
  const int x1 = std::min(width_, static_cast<int>(maxX + radius) + 2);
  const int y0 = std::max(0, static_cast<int>(minY - radius) - 1);
  const int y1 = std::min(height_, static_cast<int>(maxY + radius) + 2);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      float d = 1e9f;
      for (const Segment& s : segments) d = std::min(d, segmentDistance(px, py, s));
      const float coverage = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
      if (coverage > 0) blend(x, y, paint(px, py), coverage);
    }
  }
}

void Canvas::fillPolygon(const std::vector<Point>& points, const Paint& paint) {
  auto inside = [&](float px, float py) {
    bool in = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point& a = points[i];
      const Point& b = points[j];
      if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
  };
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          if (inside(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f)) ++hits;
        }
      }
      if (hits > 0) blend(x, y, paint(x + 0.5f, y + 0.5f), hits / 16.0f);
    }
  }
}

void Canvas::addGrain(float amount, std::uint32_t seed) {
  std::uint32_t state = seed;
  for (Rgba& p : pixels_) {
    state = state * 1664525u + 1013904223u;
    const float n = (static_cast<float>(state >> 8) / 16777216.0f * 2.0f - 1.0f) * amount;
    p.r = std::clamp(p.r + n, 0.0f, 1.0f);
    p.g = std::clamp(p.g + n, 0.0f, 1.0f);
    p.b = std::clamp(p.b + n, 0.0f, 1.0f);
  }
}

platform::Bitmap Canvas::crop(int x, int y, int w, int h) const {
  platform::Bitmap bitmap(w, h);
  auto byte = [](float v) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
  };
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column) {
      const Rgba& p = pixels_[index(x + column, y + row)];
      bitmap.setPixel(column, row, platform::argb(byte(p.a), byte(p.r), byte(p.g), byte(p.b)));
    }
  }
  return bitmap;
}

platform::Bitmap Canvas::toBitmap() const {
  return crop(0, 0, width_, height_);
}

}  // namespace skin
