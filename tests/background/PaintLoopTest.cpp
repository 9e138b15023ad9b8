#include <gtest/gtest.h>

#include "background/PaintLoop.h"
#include "platform/Random.h"

namespace {

using background::RandomBits;
using background::painting::Colour;
using background::painting::Shade;

// A cell colour that depends on everything a cell is given: its value, its place, its pixel,
// the cloud shade and its random draws.
Colour testGround(const Shade& shade, RandomBits& random) {
  const auto a = static_cast<float>(random.below(90));
  const auto b = static_cast<float>(random.below(50));
  return Colour{a + shade.red * 0.5f, 120.0f - b, shade.blue * 0.25f + a * 0.5f};
}

// Painting the plain ground a row at a time gives the picture the per-cell loop gives, on a
// map whose ground is broken by other cells, with a picture wider and taller than the map.
TEST(PaintLoop, GroundPaintedByRowsMatchesTheCellByCellPicture) {
  track::SurfaceMap map(37, 41);
  for (std::uint32_t r = 0; r < map.rows; ++r) {
    for (std::uint32_t c = 0; c < map.columns; ++c) {
      if ((r * 7 + c * 3) % 5 == 0) map.set(r, c, 1 + static_cast<std::int32_t>((r + c) % 3));
    }
  }
  platform::Bitmap clouds(22, 20);
  for (int y = 0; y < clouds.height(); ++y) {
    for (int x = 0; x < clouds.width(); ++x) {
      clouds.setPixel(x, y, platform::argb(255, (x * 11) % 256, (y * 13) % 256, (x * y) % 256));
    }
  }
  auto makeCellColour = [] {
    return [](std::int32_t value, long long row, long long column, int x, int y, const Shade& shade,
              RandomBits& random) {
      if (value == track::SurfaceMap::kGrass || value == track::SurfaceMap::kOutside) {
        return testGround(shade, random);
      }
      const auto place = static_cast<float>(row * 3 + column + x + y);
      return Colour{place, static_cast<float>(value * 40 + random.below(20)), shade.green};
    };
  };
  platform::Bitmap byCells(22, 20), byRows(22, 20);
  platform::setFixedSeed(5);
  background::painting::paintPixels(map, clouds, byCells, makeCellColour);
  platform::setFixedSeed(5);
  background::painting::paintPixelsOverGround(
      map, clouds, byRows, makeCellColour,
      [](std::int32_t value) {
        return value == track::SurfaceMap::kGrass || value == track::SurfaceMap::kOutside;
      },
      testGround);
  for (int y = 0; y < byCells.height(); ++y) {
    for (int x = 0; x < byCells.width(); ++x) {
      ASSERT_EQ(byCells.getPixel(x, y), byRows.getPixel(x, y)) << "pixel " << x << ", " << y;
    }
  }
}

}  // namespace
