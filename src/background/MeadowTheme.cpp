#include "background/MeadowTheme.h"

#include <algorithm>

#include "background/PaintLoop.h"
#include "background/Scenery.h"
#include "background/TreePainter.h"
#include "platform/Random.h"

namespace background {

namespace {

using painting::Colour;
using painting::Shade;

// Sand: pale ochre, a little darker at random, under the cloud texture.
Colour runOffColour(const Shade& shade, RandomBits& random) {
  using colourrules::softLight;
  const auto c = static_cast<float>(random.below(40));
  return Colour{softLight(221.0f - c, shade.red), softLight(183.0f - c, shade.green),
                softLight(138.0f - c, shade.blue)};
}

// Grass: a random green with a little red and blue, under the cloud texture.
inline Colour grassColour(const Shade& shade, RandomBits& random) {
  using colourrules::softLight;
  const int green = random.below(80) + 60;
  const int rest = std::clamp(green - (random.below(30) + 100), 0, 255);
  const float s = softLight(softLight(static_cast<float>(rest), shade.red), shade.blue);
  return Colour{s, softLight(static_cast<float>(green), shade.green), s};
}

}  // namespace

void MeadowTheme::paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
                        platform::Bitmap& picture) {
  const painting::RoadLook look;
  painting::paintPixelsOverGround(
      map, clouds, picture,
      [&] {
        return [&](std::int32_t value, long long row, long long column, int, int,
                   const Shade& shade, RandomBits& random) {
          if (zone::onRoad(value)) {
            return painting::roadColour(map, row, column, value, shade, random, look);
          }
          if (value == zone::kRunOff) return runOffColour(shade, random);
          return grassColour(shade, random);
        };
      },
      [](std::int32_t value) { return !zone::onRoad(value) && value != zone::kRunOff; },
      [](const Shade& shade, RandomBits& random) { return grassColour(shade, random); });
}

void MeadowTheme::plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                               std::vector<SceneryItem>& placed) {
  const int width = picture.width();
  const int height = picture.height();
  // One candidate spot per 60 × 60 block, jittered; the grid starts half a block outside the
  // picture so trees can stand across its border.
  std::vector<scenery::Planned> plan;
  for (int gx = -30; gx < width + 30; gx += 60) {
    for (int gy = -30; gy < height + 30; gy += 60) {
      const int jx = platform::randInt() % 60;
      const int jy = platform::randInt() % 60;
      const int px = static_cast<int>(jx * 0.8 + gx);
      const int py = static_cast<int>(jy * 0.8 + gy);
      if (map.at(2LL * py, 2LL * px) != zone::kOpenGround) continue;
      const int size = (platform::randInt() % 15) * 2 + 70;
      // A tree that would reach the road is still grown, so the trees after it keep their
      // places and shapes for a given seed; it is just not planted.
      plan.push_back({SceneryItem{px, py, size}, px - 35, py - 35,
                      [seed = drawCrown(size)] { return paintTree(seed); }});
    }
  }
  scenery::paintAndPlace(plan, map, picture, placed);
}

std::int32_t MeadowTheme::surfaceOf(std::int32_t zone) const {
  return zone == zone::kRunOff ? track::SurfaceMap::kSand : track::SurfaceMap::kGrass;
}

}  // namespace background
