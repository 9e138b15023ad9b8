#include "background/QuarryTheme.h"

#include <algorithm>
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

constexpr float kFloor = 45.0f;                // pixels of flat floor beside the road
constexpr float kBench = 75.0f;                // pixels from one rock face to the next
constexpr float kFace = 0.4f;                  // share of a bench taken by its rock face
constexpr float kSunX = -0.7f, kSunY = -0.7f;  // toward the sun (upper left)

const Colour kStrata[] = {
    {196, 150, 98}, {170, 104, 64}, {150, 140, 128}, {214, 192, 150}, {128, 88, 62}};

// Gravel: speckled grey-beige with darker stones.
inline Colour gravelColour(const Shade& shade, RandomBits& random) {
  const Colour gravel = themekit::jittered(Colour{166, 156, 140}, random, 34);
  // Scaling every cell, most by 1, keeps the loop over a row free of branches.
  const float stone = random.below(16) == 0 ? 0.62f : 1.0f;
  return themekit::shaded(themekit::scaled(gravel, stone), shade);
}

}  // namespace

float QuarryTheme::height(int x, int y) const {
  return heights_[static_cast<std::size_t>(y) * width_ + x];
}

void QuarryTheme::addZones(track::SurfaceMap& map, const track::TrackData&) {
  seed_ = static_cast<std::uint32_t>(platform::randInt());
  width_ = static_cast<int>(map.columns / 2);
  const int heightPixels = static_cast<int>(map.rows / 2);
  const std::vector<std::uint16_t> distance = themekit::roadDistance(map, width_, heightPixels);
  heights_.resize(distance.size());
  const themekit::NoiseField wander(width_, heightPixels, 130.0f, seed_);
  themekit::forEachRow(heightPixels, [&](int y) {
    for (int x = 0; x < width_; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width_ + x;
      // Benches follow the road at a distance, with a slow wander.
      const float warp = 22.0f * wander.at(x, y);
      const float h = std::max(0.0f, (distance[i] + warp - kFloor) / kBench);
      heights_[i] = h;
      if (h > 0.0f && h - std::floor(h) < kFace) {
        themekit::markPixel(map, x, y, zone::kRock, {zone::kGround, zone::kOpenGround});
      }
    }
  });
}

QuarryTheme::Face QuarryTheme::faceAt(int x, int y, int heightPixels) const {
  const float h = height(x, y);
  const float across = (h - std::floor(h)) / kFace;  // 0 at the foot, 1 at the top
  // The face looks toward the road, down the slope: lit when that is toward the sun.
  const float dx = height(std::min(x + 2, width_ - 1), y) - height(std::max(x - 2, 0), y);
  const float dy = height(x, std::min(y + 2, heightPixels - 1)) - height(x, std::max(y - 2, 0));
  const float norm = std::max(1e-4f, std::hypot(dx, dy));
  const float lit = -(dx * kSunX + dy * kSunY) / norm;
  const int layer = static_cast<int>(
      std::floor(across * 6.0f + 1.5f * themekit::smoothNoise(x / 40.0f, y / 40.0f, seed_ + 4)));
  Face face;
  face.stone = kStrata[static_cast<std::size_t>((layer % 5 + 5) % 5)];
  face.light = 0.78f + 0.22f * lit;
  if (across < 0.12f) face.light *= 0.6f;  // the shadow at its foot
  if (across > 0.9f) face.light *= 1.15f;  // the lip of the bench above
  return face;
}

void QuarryTheme::paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
                        platform::Bitmap& picture) {
  const painting::RoadLook look{94, 18, 1.03f, 1.0f, 0.95f};
  const int heightPixels = picture.height();
  painting::paintPixelsOverGround(
      map, clouds, picture,
      [&] {
        return [&, faceX = -1, faceY = -1, face = Face{}](
                   std::int32_t value, long long row, long long column, int x, int y,
                   const Shade& shade, RandomBits& random) mutable {
          if (zone::onRoad(value)) {
            return painting::roadColour(map, row, column, value, shade, random, look);
          }
          if (value == zone::kRunOff) {
            return themekit::shaded(themekit::jittered(Colour{214, 196, 160}, random, 18), shade);
          }
          if (value == zone::kRock) {
            if (x != faceX || y != faceY) {  // once per pixel, not per cell
              faceX = x;
              faceY = y;
              face = faceAt(x, y, heightPixels);
            }
            const Colour stone =
                themekit::scaled(themekit::jittered(face.stone, random, 16), face.light);
            return themekit::shaded(stone, shade);
          }
          return gravelColour(shade, random);
        };
      },
      [](std::int32_t value) {
        return !zone::onRoad(value) && value != zone::kRunOff && value != zone::kRock;
      },
      [](const Shade& shade, RandomBits& random) { return gravelColour(shade, random); });
}

void QuarryTheme::plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                               std::vector<SceneryItem>& placed) {
  CrownLook autumn[3];
  const float palettes[3][6] = {
      {110, 44, 16, 232, 128, 36}, {120, 70, 20, 226, 176, 60}, {90, 40, 24, 190, 90, 40}};
  for (int k = 0; k < 3; ++k) {
    std::copy(palettes[k], palettes[k] + 3, autumn[k].dark);
    std::copy(palettes[k] + 3, palettes[k] + 6, autumn[k].light);
  }
  CrownLook boulder;
  boulder.dark[0] = 110, boulder.dark[1] = 100, boulder.dark[2] = 90;
  boulder.light[0] = 200, boulder.light[1] = 190, boulder.light[2] = 175;
  boulder.shadowOffset = 3;
  constexpr int kBlock = 56;
  std::vector<scenery::Planned> plan;
  for (int gx = -28; gx < picture.width() + 28; gx += kBlock) {
    for (int gy = -28; gy < picture.height() + 28; gy += kBlock) {
      const int px = gx + platform::randInt() % kBlock, py = gy + platform::randInt() % kBlock;
      const int kind = platform::randInt() % 8;
      const std::int32_t ground = map.at(2LL * py, 2LL * px);
      const bool tree = ground == zone::kOpenGround && kind < 5;
      const bool stone = (ground == zone::kGround || ground == zone::kOpenGround) && kind >= 6;
      if (!tree && !stone) continue;
      const CrownLook& look = tree ? autumn[kind % 3] : boulder;
      const int size = tree ? 44 + platform::randInt() % 30 : 10 + platform::randInt() % 10;
      const int corner = -10 + look.shadowOffset - size / 2;
      plan.push_back({SceneryItem{px, py, size}, px + corner, py + corner,
                      [seed = drawCrown(size), &look] { return paintCrown(seed, look); }});
    }
  }
  scenery::paintAndPlace(plan, map, picture, placed);
}

std::int32_t QuarryTheme::surfaceOf(std::int32_t zone) const {
  return zone == zone::kRunOff ? track::SurfaceMap::kSand : track::SurfaceMap::kGravel;
}

}  // namespace background
