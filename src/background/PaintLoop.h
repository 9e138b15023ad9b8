#pragma once
#include <algorithm>
#include <cstdint>

#include "background/ColourRules.h"
#include "background/RandomBits.h"
#include "background/Zones.h"
#include "platform/Bitmap.h"
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

// Paints every pixel of `picture` as the mean of its 2 × 2 map cells: pixel (x, y) covers rows
// 2y, 2y + 1 and columns 2x, 2x + 1; cells are visited row by row, each adds a quarter of its
// colour, truncated at once. `cellColour(row, column, x, y, shade)` gives a cell's colour; cells
// beyond the map read 7 (SurfaceMap::kOutside), which themes paint as their ground.
template <typename CellColour>
void paintPixels(const platform::Bitmap& clouds, platform::Bitmap& picture,
                 CellColour&& cellColour) {
  const int width = picture.width();
  const int height = picture.height();
  auto quarter = [](float value) { return static_cast<int>(value * 0.25f); };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const platform::Color texture = clouds.getPixel(x, y);
      const Shade shade{static_cast<float>(platform::redOf(texture)),
                        static_cast<float>(platform::greenOf(texture)),
                        static_cast<float>(platform::blueOf(texture))};
      int red = 0, green = 0, blue = 0;
      for (long long row = 2LL * y; row <= 2LL * y + 1; ++row) {
        for (long long column = 2LL * x; column <= 2LL * x + 1; ++column) {
          const Colour c = cellColour(row, column, x, y, shade);
          red += quarter(c.red);
          green += quarter(c.green);
          blue += quarter(c.blue);
        }
      }
      picture.setPixel(x, y,
                       platform::argb(255, std::clamp(red, 0, 255), std::clamp(green, 0, 255),
                                      std::clamp(blue, 0, 255)));
    }
  }
}

}  // namespace painting

}  // namespace background
