#include "background/DesertTheme.h"

#include <cmath>

#include "background/Scenery.h"
#include "background/ThemeKit.h"
#include "background/TreePainter.h"
#include "background/Zones.h"
#include "platform/Random.h"

namespace background {

namespace {

using painting::Colour;
using painting::Shade;
using themekit::fractalNoise;

constexpr float kRockLevel = 0.64f;  // rock where the outcrop noise rises above this

// Brightness of the dunes at a pixel: long waves across the wind, bent by noise, lit on the
// windward side and shaded on the lee side, with fine ripples.
float duneLight(int x, int y, float bend) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float phase = (fx * 0.83f + fy * 0.55f) / 23.0f + bend * 9.0f;
  const float wave = std::sin(phase);
  const float cosine = std::cos(phase);
  // The lee side falls off steeply just past the crest: sin(phase − 0.9) from the same sine
  // and cosine, one call fewer per pixel.
  constexpr float kCos09 = 0.62160997f, kSin09 = 0.78332691f;
  const float lee = std::max(0.0f, wave * kCos09 - cosine * kSin09) * std::max(0.0f, -cosine);
  const float ripple = std::sin((fx * 0.83f + fy * 0.55f) / 3.1f + bend * 30.0f);
  return 1.0f + 0.07f * wave - 0.16f * lee + 0.018f * ripple;
}

}  // namespace

void DesertTheme::addZones(track::SurfaceMap& map, const track::TrackData&) {
  seed_ = static_cast<std::uint32_t>(platform::randInt());
  outcrop_ = themekit::NoiseField(static_cast<int>(map.columns / 2), static_cast<int>(map.rows / 2),
                                  150.0f, seed_);
  bend_ = themekit::NoiseField(static_cast<int>(map.columns / 2), static_cast<int>(map.rows / 2),
                               320.0f, seed_ + 7);
  const int width = static_cast<int>(map.columns / 2);
  const int height = static_cast<int>(map.rows / 2);
  const std::vector<std::uint16_t> distance = themekit::roadDistance(map, width, height);
  themekit::forEachRow(height, [&](int y) {
    for (int x = 0; x < width; ++x) {
      // Rock rises only well clear of the road, and more rarely toward it.
      const float clearance = distance[static_cast<std::size_t>(y) * width + x];
      if (clearance < 30.0f) continue;
      const float level = kRockLevel + std::max(0.0f, (90.0f - clearance) / 90.0f) * 0.2f;
      if (outcrop_.at(x, y) > level) {
        themekit::markPixel(map, x, y, zone::kRock, {zone::kOpenGround, zone::kGround});
      }
    }
  });
}

void DesertTheme::paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
                        platform::Bitmap& picture) {
  const painting::RoadLook look{128, 18, 1.06f, 1.0f, 0.9f};
  painting::paintPixels(map, clouds, picture, [&] {
    // What the last pixel worked out once for its four cells.
    return [&, lastX = -1, lastY = -1, light = 1.0f, rock = 0.0f, relief = 1.0f](
               std::int32_t value, long long row, long long column, int x, int y,
               const Shade& shade, RandomBits& random) mutable {
      if (zone::onRoad(value)) {
        return painting::roadColour(map, row, column, value, shade, random, look);
      }
      if (x != lastX || y != lastY) {
        lastX = x;
        lastY = y;
        light = duneLight(x, y, bend_.at(x, y));
        rock = 0;
        relief = 1;
        if (value == zone::kRock) {
          rock = outcrop_.at(x, y) - kRockLevel;
          // Weathered, blotchy stone cut by dark cracks.
          const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
          const float crack = std::abs(themekit::fractalNoise(fx, fy, 26.0f, seed_ + 5) - 0.5f);
          relief = (0.86f + 0.3f * themekit::fractalNoise(fx, fy, 7.0f, seed_ + 3)) *
                   (crack < 0.012f ? 0.72f : 1.0f);
        }
      }
      if (value == zone::kRunOff) {
        return themekit::shaded(themekit::jittered(Colour{238, 222, 184}, random, 14), shade);
      }
      if (value == zone::kRock) {
        // Red rock, dark along its rim.
        const float rim = rock < 0.012f ? 0.7f : 1.0f;
        const Colour stone = themekit::jittered(Colour{180, 108, 72}, random, 22);
        return themekit::shaded(themekit::scaled(stone, relief * rim), shade);
      }
      const Colour sand = themekit::jittered(Colour{224, 186, 128}, random, 12);
      return themekit::shaded(themekit::scaled(sand, light), shade);
    };
  });
}

void DesertTheme::plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                               std::vector<SceneryItem>& placed) {
  CrownLook scrub;
  scrub.dark[0] = 78, scrub.dark[1] = 74, scrub.dark[2] = 40;
  scrub.light[0] = 150, scrub.light[1] = 142, scrub.light[2] = 88;
  scrub.shadowOffset = 3;
  scrub.sparse = 0.45f;
  CrownLook stone;
  stone.dark[0] = 120, stone.dark[1] = 96, stone.dark[2] = 78;
  stone.light[0] = 190, stone.light[1] = 160, stone.light[2] = 128;
  stone.shadowOffset = 2;
  constexpr int kBlock = 34;
  std::vector<scenery::Planned> plan;
  for (int gx = 0; gx < picture.width(); gx += kBlock) {
    for (int gy = 0; gy < picture.height(); gy += kBlock) {
      const int px = gx + platform::randInt() % kBlock;
      const int py = gy + platform::randInt() % kBlock;
      const int kind = platform::randInt() % 10;
      const std::int32_t ground = map.at(2LL * py, 2LL * px);
      if (ground != zone::kOpenGround && !(ground == zone::kGround && kind < 5)) continue;
      const bool isStone = kind >= 7;
      const int size = isStone ? 8 + platform::randInt() % 10 : 22 + platform::randInt() % 20;
      const CrownLook& look = isStone ? stone : scrub;
      const int corner = -10 + look.shadowOffset - size / 2;
      plan.push_back({SceneryItem{px, py, size}, px + corner, py + corner,
                      [seed = drawCrown(size), &look] { return paintCrown(seed, look); }});
    }
  }
  scenery::paintAndPlace(plan, map, picture, placed);
}

std::int32_t DesertTheme::surfaceOf(std::int32_t zone) const {
  return zone == zone::kRock ? track::SurfaceMap::kGravel : track::SurfaceMap::kSand;
}

}  // namespace background
