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

namespace detail {
// A quarter of a channel, truncated: each of a pixel's four cells adds this much.
inline int quarter(float value) {
  return static_cast<int>(value * 0.25f);
}
}  // namespace detail

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
            red += detail::quarter(c.red);
            green += detail::quarter(c.green);
            blue += detail::quarter(c.blue);
          }
        }
        out[x] = platform::argb(255, std::clamp(red, 0, 255), std::clamp(green, 0, 255),
                                std::clamp(blue, 0, 255));
      }
    }
  });
}

// paintPixels for a theme whose plainest ground — most of a picture — has a colour that needs
// no branching on the cell: `groundColour(shade, random)` paints every cell where
// `isGround(value)` holds, a row of cells at a time in a loop the compiler vectorises; the other
// cells go through `cellColour` as in paintPixels, a map row at a time. groundColour must give
// what cellColour would for those cells (same draws, same arithmetic): the picture is then the
// same as paintPixels paints, only sooner.
template <typename MakeCellColour, typename IsGround, typename GroundColour>
void paintPixelsOverGround(const track::SurfaceMap& map, const platform::Bitmap& clouds,
                           platform::Bitmap& picture, MakeCellColour&& makeCellColour,
                           IsGround&& isGround, GroundColour&& groundColour) {
  const int width = picture.width();
  const int height = picture.height();
  const auto seed = static_cast<std::uint32_t>(platform::randInt());
  parallel::forEachChunk(height, 16, [&](int first, int last) {
    const int cellCount = 2 * width;  // a local: stores through the rows could alias a capture
    auto cellColour = makeCellColour();
    std::vector<std::int32_t> spare[2];
    // Per cell of the two map rows under a picture row: its pixel's cloud shade, and the
    // quarters of its colour's channels.
    std::vector<float> shadeRed(static_cast<std::size_t>(cellCount)), shadeGreen(shadeRed),
        shadeBlue(shadeRed);
    std::vector<int> quarters[2][3];
    for (auto& row : quarters) {
      for (auto& channel : row) channel.resize(static_cast<std::size_t>(cellCount));
    }
    for (int y = first; y < last; ++y) {
      const long long top = 2LL * y;
      const platform::Color* texture = clouds.data() + static_cast<std::size_t>(y) * width;
      for (int column = 0; column < cellCount; ++column) {
        const platform::Color texel = texture[column / 2];
        shadeRed[column] = static_cast<float>(platform::redOf(texel));
        shadeGreen[column] = static_cast<float>(platform::greenOf(texel));
        shadeBlue[column] = static_cast<float>(platform::blueOf(texel));
      }
      for (int k = 0; k < 2; ++k) {
        const std::int32_t* cells = cellRow(map, top + k, cellCount, spare[k]);
        const std::uint32_t rowKey = RandomBits::keyOf(seed, static_cast<std::uint32_t>(top + k));
        int* __restrict red = quarters[k][0].data();
        int* __restrict green = quarters[k][1].data();
        int* __restrict blue = quarters[k][2].data();
        for (int column = 0; column < cellCount; ++column) {
          RandomBits random(RandomBits::keyOfColumn(rowKey, static_cast<std::uint32_t>(column)));
          const Colour c =
              groundColour(Shade{shadeRed[column], shadeGreen[column], shadeBlue[column]}, random);
          red[column] = detail::quarter(c.red);
          green[column] = detail::quarter(c.green);
          blue[column] = detail::quarter(c.blue);
        }
        for (int column = 0; column < cellCount; ++column) {
          if (isGround(cells[column])) continue;
          RandomBits random(RandomBits::keyOfColumn(rowKey, static_cast<std::uint32_t>(column)));
          const Colour c =
              cellColour(cells[column], top + k, column, column / 2, y,
                         Shade{shadeRed[column], shadeGreen[column], shadeBlue[column]}, random);
          red[column] = detail::quarter(c.red);
          green[column] = detail::quarter(c.green);
          blue[column] = detail::quarter(c.blue);
        }
      }
      platform::Color* out = picture.data() + static_cast<std::size_t>(y) * width;
      auto sum = [&](int channel, int x) {
        const int* upper = quarters[0][channel].data() + 2 * x;
        const int* lower = quarters[1][channel].data() + 2 * x;
        return std::clamp(upper[0] + upper[1] + lower[0] + lower[1], 0, 255);
      };
      for (int x = 0; x < width; ++x) {
        out[x] = platform::argb(255, sum(0, x), sum(1, x), sum(2, x));
      }
    }
  });
}

}  // namespace painting

}  // namespace background
