#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Bitmap.h"

namespace skin {

// A colour with straight (not premultiplied) alpha, every channel 0..1.
struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;
};

// 0xAARRGGBB to Rgba; `hex(0x2b333f)` gives an opaque colour (alpha taken as 0xff when zero).
Rgba hex(std::uint32_t rgb, float alpha = 1.0f);
Rgba mix(const Rgba& from, const Rgba& to, float t);
Rgba withAlpha(Rgba colour, float alpha);

// Colour at a pixel centre (x, y) of the canvas.
using Paint = std::function<Rgba(float x, float y)>;
Paint solid(Rgba colour);
// From `top` at y0 to `bottom` at y1, clamped outside.
Paint verticalGradient(float y0, Rgba top, float y1, Rgba bottom);

struct Point {
  float x = 0, y = 0;
};
struct Segment {
  Point a, b;
};

// A float picture with anti-aliased shapes, composited source-over.
class Canvas {
 public:
  Canvas(int width, int height, Rgba background = {});

  int width() const { return width_; }
  int height() const { return height_; }
  Rgba at(int x, int y) const { return pixels_[index(x, y)]; }
  void set(int x, int y, Rgba colour) { pixels_[index(x, y)] = colour; }
  // Composites `colour` over the pixel with `coverage` (0..1) of its alpha.
  void blend(int x, int y, Rgba colour, float coverage = 1.0f);

  // Everything inside the rounded rectangle (x0, y0)-(x1, y1), corner radius r.
  void fillRoundRect(float x0, float y0, float x1, float y1, float r, const Paint& paint);
  // A border `width` pixels wide lying just inside the rounded rectangle.
  void strokeRoundRect(float x0, float y0, float x1, float y1, float r, float width,
                       const Paint& paint);
  // Thick lines with round ends: every pixel within `radius` of a segment.
  void strokeSegments(const std::vector<Segment>& segments, float radius, const Paint& paint);
  // A closed polygon (any winding), 4 × 4 samples per pixel.
  void fillPolygon(const std::vector<Point>& points, const Paint& paint);
  // Adds ±amount of deterministic grain to the colour channels.
  void addGrain(float amount, std::uint32_t seed);

  platform::Bitmap toBitmap() const;
  platform::Bitmap crop(int x, int y, int w, int h) const;

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

// Signed distance from (px, py) to a rounded rectangle: negative inside.
float roundRectDistance(float px, float py, float x0, float y0, float x1, float y1, float r);

}  // namespace skin
