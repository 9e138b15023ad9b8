#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "background/ColourRules.h"
#include "background/Parallel.h"
#include "background/RandomBits.h"
#include "background/Zones.h"
#include "platform/Bitmap.h"
#include "platform/Random.h"
#include "track/SurfaceMap.h"

namespace background {

namespace painting {

// A colour with channels 0..255 held as floats, as the blending rules take them.
struct Colour {
  float red = 0;
  float green = 0;
  float blue = 0;
};

// The cloud texture's channels under a pixel, 0..255.
struct Shade {
  float red = 0;
  float green = 0;
  float blue = 0;
};

// How a theme's asphalt looks: plain road is grey `base` + 0..`spread` − 1, tinted per channel;
// the light edge line, the finish line and the white marks are the same on every theme.
struct RoadLook {
  int base = 80;
  int spread = 20;
  float red = 1.0f;
  float green = 1.0f;
  float blue = 1.0f;
};

// Whether a road cell carries the light edge line: 2 cells clear of the road border on all four
// sides, yet within 5 cells (3 diagonally) of ground off the road. Cells beyond the map never
// count as either.
bool isEdgeLineCell(const track::SurfaceMap& map, long long row, long long column);

// The colour of a cell on the road (asphalt, edge line, marks, path marks), darkened under the
// cloud shade. Draws from `random`. Only for cells where zone::onRoad holds.
inline Colour roadColour(const track::SurfaceMap& map, long long row, long long column,
                         std::int32_t value, const Shade& shade, RandomBits& random,
                         const RoadLook& look) {
  using colourrules::darken;
  switch (value) {
    case zone::kPathMark:
      return Colour{252.0f, 0.0f, 0.0f};
    case zone::kRoad: {
      const bool line = isEdgeLineCell(map, row, column);
      float g = line ? static_cast<float>(random.below(40) + 170)
                     : static_cast<float>(random.below(look.spread) + look.base);
      g = darken(darken(darken(g, shade.red), shade.green), shade.blue);
      if (line) return Colour{g, g, g};
      return Colour{g * look.red, g * look.green, g * look.blue};
    }
    default: {  // the finish line and the white marks
      float g = static_cast<float>(random.below(80) + 160);
      g = darken(darken(darken(g, shade.red), shade.green), shade.blue);
      return Colour{g, g, g};
    }
  }
}

// The cells of map row `row` under a picture `count` cells wide: the map's own row where it
// covers them, else a copy in `spare` with kOutside (7) beyond the map.
const std::int32_t* cellRow(const track::SurfaceMap& map, long long row, int count,
                            std::vector<std::int32_t>& spare);

// Paints every pixel of `picture` as the mean of its 2 × 2 map cells: pixel (x, y) covers rows
// 2y, 2y + 1 and columns 2x, 2x + 1; cells are visited row by row, each adds a quarter of its
// colour, truncated at once. `makeCellColour()` gives a function
// `cellColour(value, row, column, x, y, shade, random)` for the colour of a cell holding
// `value`; cells beyond the map read 7 (SurfaceMap::kOutside), which themes paint as their
// ground. Rows are painted on several threads, each band of rows with its own cellColour, so
// it may keep what it worked out for the last pixel. Each cell draws from its own stream,
// `random`, keyed by its place and one draw of the game's random source: a picture is the same
// whichever thread paints which rows.
template <typename MakeCellColour>
void paintPixels(const track::SurfaceMap& map, const platform::Bitmap& clouds,
                 platform::Bitmap& picture, MakeCellColour&& makeCellColour) {
  const int width = picture.width();
  const int height = picture.height();
  const auto seed = static_cast<std::uint32_t>(platform::randInt());
  auto quarter = [](float value) { return static_cast<int>(value * 0.25f); };
  parallel::forEachChunk(height, 16, [&](int first, int last) {
    auto cellColour = makeCellColour();
    std::vector<std::int32_t> spare[2];
    for (int y = first; y < last; ++y) {
      const long long top = 2LL * y;
      const std::int32_t* cells[2] = {cellRow(map, top, 2 * width, spare[0]),
                                      cellRow(map, top + 1, 2 * width, spare[1])};
      const std::uint32_t rowKeys[2] = {
          RandomBits::keyOf(seed, static_cast<std::uint32_t>(top)),
          RandomBits::keyOf(seed, static_cast<std::uint32_t>(top + 1))};
      const platform::Color* texture = clouds.data() + static_cast<std::size_t>(y) * width;
      platform::Color* out = picture.data() + static_cast<std::size_t>(y) * width;
      for (int x = 0; x < width; ++x) {
        const Shade shade{static_cast<float>(platform::redOf(texture[x])),
                          static_cast<float>(platform::greenOf(texture[x])),
                          static_cast<float>(platform::blueOf(texture[x]))};
        int red = 0, green = 0, blue = 0;
        for (int k = 0; k < 2; ++k) {
          for (int column = 2 * x; column <= 2 * x + 1; ++column) {
            RandomBits random(
                RandomBits::keyOfColumn(rowKeys[k], static_cast<std::uint32_t>(column)));
            const Colour c = cellColour(cells[k][column], top + k, column, x, y, shade, random);
            red += quarter(c.red);
            green += quarter(c.green);
            blue += quarter(c.blue);
          }
        }
        out[x] = platform::argb(255, std::clamp(red, 0, 255), std::clamp(green, 0, 255),
                                std::clamp(blue, 0, 255));
      }
    }
  });
}

}  // namespace painting

}  // namespace background
