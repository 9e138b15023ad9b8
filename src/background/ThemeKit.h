#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "background/PaintLoop.h"
#include "background/Parallel.h"
#include "platform/Bitmap.h"
#include "track/SurfaceMap.h"

namespace background {

// Helpers the landscapes share: smooth noise that needs no memory, a distance field, colour
// mixing and the marking of zones pixel by pixel.
namespace themekit {

using painting::Colour;

// A smooth random field 0..1 over the plane, the same for the same seed: values on a lattice
// one unit apart, blended with a smooth step. Scale the coordinates to choose the feature size.
float smoothNoise(float x, float y, std::uint32_t seed);
// Three octaves of smoothNoise, features about `size` pixels across.
float fractalNoise(float x, float y, float size, std::uint32_t seed);

// fractalNoise over a picture, worked out on a coarse grid (a sixteenth of the feature size)
// and blended between: the same look for a fraction of the work.
class NoiseField {
 public:
  NoiseField() = default;
  NoiseField(int width, int height, float size, std::uint32_t seed);
  float at(int x, int y) const {
    const float gx = static_cast<float>(x) * inverseStep_,
                gy = static_cast<float>(y) * inverseStep_;
    const int ix = static_cast<int>(gx), iy = static_cast<int>(gy);
    const float tx = gx - static_cast<float>(ix), ty = gy - static_cast<float>(iy);
    const float* row = samples_.data() + static_cast<std::size_t>(iy) * columns_ + ix;
    const float top = row[0] + (row[1] - row[0]) * tx;
    const float bottom = row[columns_] + (row[columns_ + 1] - row[columns_]) * tx;
    return top + (bottom - top) * ty;
  }

 private:
  float inverseStep_ = 1;
  std::size_t columns_ = 0;
  std::vector<float> samples_;
};

// Calls body(y) for every picture row 0 .. height − 1, the rows shared among the painter's
// threads: body may write only its own row's pixels and their map cells.
template <typename Body>
void forEachRow(int height, Body&& body) {
  parallel::forEachChunk(height, 16, [&](int first, int last) {
    for (int y = first; y < last; ++y) body(y);
  });
}

// Distance of every picture pixel from the nearest pixel that has road under it, in pixels
// (a chamfer estimate, exact along rows and columns), row-major; capped at 65535.
std::vector<std::uint16_t> roadDistance(const track::SurfaceMap& map, int width, int height);
// The same from the pixels for which `source` holds, for any predicate over pixel indices.
template <typename IsSource>
std::vector<std::uint16_t> distanceFrom(int width, int height, IsSource&& source);

// Sets all four cells of picture pixel (x, y) to `value` where they hold one of the `from` zones.
void markPixel(track::SurfaceMap& map, int x, int y, std::int32_t value,
               std::initializer_list<std::int32_t> from);

inline Colour mix(const Colour& a, const Colour& b, float t) {
  return Colour{a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
                a.blue + (b.blue - a.blue) * t};
}
inline Colour scaled(const Colour& c, float f) {
  return Colour{c.red * f, c.green * f, c.blue * f};
}
// Soft light of every channel with the cloud texture: the shared cloudy light and shade.
inline Colour shaded(const Colour& c, const painting::Shade& shade) {
  using colourrules::softLight;
  return Colour{softLight(c.red, shade.red), softLight(c.green, shade.green),
                softLight(c.blue, shade.blue)};
}
// A colour with every channel moved by the same random amount −spread/2 .. spread/2.
inline Colour jittered(const Colour& c, RandomBits& random, int spread) {
  const auto d = static_cast<float>(random.below(spread) - spread / 2);
  return Colour{c.red + d, c.green + d, c.blue + d};
}

template <typename IsSource>
std::vector<std::uint16_t> distanceFrom(int width, int height, IsSource&& source) {
  // Two passes of a 3-4 chamfer over the picture with a border of "far" pixels around it, so
  // the inner loops need no bounds checks; steps of 3 per pixel, so the result is divided by 3.
  constexpr std::uint32_t kFar = 3u * 65535u;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const std::size_t stride = static_cast<std::size_t>(width) + 2;
  std::vector<std::uint32_t> d(stride * (static_cast<std::size_t>(height) + 2), kFar);
  forEachRow(height, [&](int y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width + x;
      if (source(i)) d[(y + 1) * stride + x + 1] = 0;
    }
  });
  auto least = [](std::uint32_t a, std::uint32_t b) { return a < b ? a : b; };
  for (int y = 1; y <= height; ++y) {
    std::uint32_t* row = d.data() + y * stride;
    const std::uint32_t* above = row - stride;
    for (int x = 1; x <= width; ++x) {
      row[x] = least(row[x], least(least(row[x - 1] + 3, above[x] + 3),
                                   least(above[x - 1] + 4, above[x + 1] + 4)));
    }
  }
  for (int y = height; y >= 1; --y) {
    std::uint32_t* row = d.data() + y * stride;
    const std::uint32_t* below = row + stride;
    for (int x = width; x >= 1; --x) {
      row[x] = least(row[x], least(least(row[x + 1] + 3, below[x] + 3),
                                   least(below[x - 1] + 4, below[x + 1] + 4)));
    }
  }
  std::vector<std::uint16_t> result(count);
  forEachRow(height, [&](int y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t value = d[(y + 1) * stride + x + 1] / 3;
      result[static_cast<std::size_t>(y) * width + x] =
          static_cast<std::uint16_t>(value < 65535u ? value : 65535u);
    }
  });
  return result;
}

}  // namespace themekit

}  // namespace background
