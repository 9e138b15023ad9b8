#include "background/ThemeKit.h"

#include <algorithm>

#include "background/Zones.h"

namespace background {

namespace themekit {

namespace {

float lattice(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xffffu) * (1.0f / 65535.0f);
}

float smoothStep(float t) {
  return t * t * (3.0f - 2.0f * t);
}

}  // namespace

float smoothNoise(float x, float y, std::uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const float tx = smoothStep(x - fx), ty = smoothStep(y - fy);
  const float top =
      lattice(x0, y0, seed) + (lattice(x0 + 1, y0, seed) - lattice(x0, y0, seed)) * tx;
  const float bottom =
      lattice(x0, y0 + 1, seed) + (lattice(x0 + 1, y0 + 1, seed) - lattice(x0, y0 + 1, seed)) * tx;
  return top + (bottom - top) * ty;
}

float fractalNoise(float x, float y, float size, std::uint32_t seed) {
  const float u = x / size, v = y / size;
  return (smoothNoise(u, v, seed) * 4.0f + smoothNoise(u * 2.03f, v * 2.03f, seed + 1) * 2.0f +
          smoothNoise(u * 4.11f, v * 4.11f, seed + 2)) *
         (1.0f / 7.0f);
}

NoiseField::NoiseField(int width, int height, float size, std::uint32_t seed) {
  const int step = std::max(2, static_cast<int>(size / 16.0f));
  inverseStep_ = 1.0f / static_cast<float>(step);
  // One sample beyond the last pixel in each direction, so every pixel has four around it.
  columns_ = static_cast<std::size_t>(std::max(width, 1) / step + 2);
  const std::size_t rows = static_cast<std::size_t>(std::max(height, 1) / step + 2);
  samples_.resize(columns_ * rows);
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < columns_; ++c) {
      samples_[r * columns_ + c] =
          fractalNoise(static_cast<float>(c * step), static_cast<float>(r * step), size, seed);
    }
  }
}

std::vector<std::uint16_t> roadDistance(const track::SurfaceMap& map, int width, int height) {
  return distanceFrom(width, height, [&](std::size_t i) {
    const long long x = static_cast<long long>(i % static_cast<std::size_t>(width));
    const long long y = static_cast<long long>(i / static_cast<std::size_t>(width));
    return zone::onRoad(map.at(2 * y, 2 * x)) || zone::onRoad(map.at(2 * y, 2 * x + 1)) ||
           zone::onRoad(map.at(2 * y + 1, 2 * x)) || zone::onRoad(map.at(2 * y + 1, 2 * x + 1));
  });
}

void markPixel(track::SurfaceMap& map, int x, int y, std::int32_t value,
               std::initializer_list<std::int32_t> from) {
  for (long long row = 2LL * y; row <= 2LL * y + 1; ++row) {
    for (long long column = 2LL * x; column <= 2LL * x + 1; ++column) {
      const std::int32_t cell = map.at(row, column);
      if (std::find(from.begin(), from.end(), cell) != from.end()) map.set(row, column, value);
    }
  }
}

}  // namespace themekit

}  // namespace background
