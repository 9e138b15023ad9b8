#include "background/WinterTheme.h"

#include "background/ConiferPainter.h"
#include "background/Scenery.h"
#include "background/ThemeKit.h"
#include "background/Zones.h"
#include "platform/Random.h"

namespace background {

namespace {

using painting::Colour;
using painting::Shade;

// Snow takes the cloud texture as light and blue shade rather than as grey.
inline Colour snowColour(const Shade& shade, RandomBits& random, const Colour& lit,
                         const Colour& dim) {
  const float darkness = std::min(1.0f, std::max(0.0f, (210.0f - shade.red) / 150.0f));
  return themekit::jittered(themekit::mix(lit, dim, darkness), random, 6);
}

// Snow away from the road: most of the picture.
inline Colour openSnow(const Shade& shade, RandomBits& random) {
  return snowColour(shade, random, Colour{246, 248, 252}, Colour{188, 202, 230});
}

}  // namespace

void WinterTheme::addZones(track::SurfaceMap& map, const track::TrackData&) {
  seed_ = static_cast<std::uint32_t>(platform::randInt());
  const int width = static_cast<int>(map.columns / 2);
  const int height = static_cast<int>(map.rows / 2);
  const std::vector<std::uint16_t> distance = themekit::roadDistance(map, width, height);
  // The plough leaves a band of packed snow along the road, a little ragged.
  themekit::forEachRow(height, [&](int y) {
    for (int x = 0; x < width; ++x) {
      const float reach = 6.0f + 6.0f * themekit::smoothNoise(x / 23.0f, y / 23.0f, seed_);
      if (distance[static_cast<std::size_t>(y) * width + x] <= reach) {
        themekit::markPixel(map, x, y, zone::kVerge, {zone::kGround});
      }
    }
  });
}

void WinterTheme::paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
                        platform::Bitmap& picture) {
  const painting::RoadLook look{80, 18, 0.95f, 1.0f, 1.07f};
  painting::paintPixelsOverGround(
      map, clouds, picture,
      [&] {
        return [&](std::int32_t value, long long row, long long column, int, int,
                   const Shade& shade, RandomBits& random) {
          if (zone::onRoad(value)) {
            return painting::roadColour(map, row, column, value, shade, random, look);
          }
          if (value == zone::kVerge) {
            const bool rut = random.below(9) == 0;
            return snowColour(shade, random, rut ? Colour{178, 176, 176} : Colour{214, 216, 222},
                              Colour{168, 174, 190});
          }
          if (value == zone::kRunOff) {
            // Grit strewn on the snow.
            if (random.below(5) < 2) {
              return themekit::shaded(themekit::jittered(Colour{150, 126, 98}, random, 30), shade);
            }
            return snowColour(shade, random, Colour{222, 220, 220}, Colour{172, 176, 190});
          }
          return openSnow(shade, random);
        };
      },
      [](std::int32_t value) {
        return !zone::onRoad(value) && value != zone::kVerge && value != zone::kRunOff;
      },
      [](const Shade& shade, RandomBits& random) { return openSnow(shade, random); });
}

void WinterTheme::plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                               std::vector<SceneryItem>& placed) {
  constexpr int kBlock = 44;
  std::vector<scenery::Planned> plan;
  for (int gx = 0; gx < picture.width() + kBlock; gx += kBlock) {
    for (int gy = -kBlock; gy < picture.height(); gy += kBlock) {
      const int px = gx + platform::randInt() % kBlock;
      const int py = gy + platform::randInt() % kBlock;
      const int radius = 12 + platform::randInt() % 14;
      const auto seed = static_cast<std::uint32_t>(platform::randInt());
      if (map.at(2LL * py, 2LL * px) != zone::kOpenGround) continue;
      // Stands of trees with clearings between them.
      if (themekit::fractalNoise(static_cast<float>(px), static_cast<float>(py), 180.0f, seed_) <
          0.42f) {
        continue;
      }
      const int corner = conifer::centre(radius);
      plan.push_back({SceneryItem{px, py, 2 * radius}, px - corner, py - corner,
                      [radius, seed] { return conifer::paint(radius, seed); }});
    }
  }
  scenery::paintAndPlace(plan, map, picture, placed);
}

std::int32_t WinterTheme::surfaceOf(std::int32_t zone) const {
  return zone == zone::kRunOff ? track::SurfaceMap::kGravel : track::SurfaceMap::kSnow;
}

}  // namespace background
