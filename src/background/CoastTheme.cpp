#include "background/CoastTheme.h"

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

// Pixels far enough from the road to be sea (when the sea reaches them from the edge).
std::vector<std::uint8_t> farFromRoad(const track::SurfaceMap& map, int width, int height,
                                      std::uint32_t seed) {
  const std::vector<std::uint16_t> distance = themekit::roadDistance(map, width, height);
  std::vector<std::uint8_t> far(distance.size());
  const themekit::NoiseField wander(width, height, 200.0f, seed);
  themekit::forEachRow(height, [&](int y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width + x;
      far[i] = distance[i] > 110.0f + 50.0f * wander.at(x, y);
    }
  });
  return far;
}

// The far pixels joined to the picture's edge through far pixels: the sea.
std::vector<std::uint8_t> seaFrom(const std::vector<std::uint8_t>& far, int width, int height) {
  std::vector<std::uint8_t> sea(far.size(), 0);
  std::vector<std::size_t> open;  // pixels whose neighbours are still to be looked at
  auto reach = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const std::size_t i = static_cast<std::size_t>(y) * width + x;
    if (far[i] && !sea[i]) {
      sea[i] = 1;
      open.push_back(i);
    }
  };
  for (int x = 0; x < width; ++x) {
    reach(x, 0);
    reach(x, height - 1);
  }
  for (int y = 0; y < height; ++y) {
    reach(0, y);
    reach(width - 1, y);
  }
  while (!open.empty()) {
    const std::size_t i = open.back();
    open.pop_back();
    const int x = static_cast<int>(i % static_cast<std::size_t>(width));
    const int y = static_cast<int>(i / static_cast<std::size_t>(width));
    reach(x + 1, y);
    reach(x - 1, y);
    reach(x, y + 1);
    reach(x, y - 1);
  }
  return sea;
}

inline Colour grassColour(const Shade& shade, RandomBits& random) {
  // Mostly green, with pale dry tufts of dune grass here and there.
  const Colour base = random.below(7) == 0 ? Colour{172, 170, 104} : Colour{112, 148, 70};
  return themekit::shaded(themekit::jittered(base, random, 40), shade);
}

// A small boat seen from above, its bow along (dx, dy), centred in a 48 × 48 picture: a pointed
// hull (white, red or blue) around a wooden deck, with a soft shadow on the water; 36 pixels
// long.
platform::Bitmap paintBoat(float dx, float dy, int hull) {
  static const Colour kHulls[] = {{236, 236, 228}, {186, 52, 40}, {40, 80, 150}};
  platform::Bitmap boat(48, 48);
  for (int v = 0; v < 48; ++v) {
    for (int u = 0; u < 48; ++u) {
      for (int pass = 0; pass < 2; ++pass) {  // the shadow first, then the hull over it
        const float shift = pass == 0 ? 3.0f : 0.0f;
        const float px = static_cast<float>(u) - 24.0f - shift,
                    py = static_cast<float>(v) - 24.0f - shift;
        const float along = px * dx + py * dy, across = -px * dy + py * dx;
        // Half the beam at this point: full amidships, drawn to a point at the bow.
        const float beam = along > 5.0f ? 7.0f * (1.0f - (along - 5.0f) / 13.0f) : 7.0f;
        if (along < -18.0f || along > 18.0f || std::abs(across) > beam) continue;
        if (pass == 0) {
          boat.setPixel(u, v, platform::argb(80, 0, 20, 40));
          continue;
        }
        const bool rim = std::abs(across) > beam - 2.0f || along < -16.0f;
        const Colour c = rim ? kHulls[hull] : Colour{176, 138, 92};
        boat.setPixel(u, v,
                      platform::argb(255, static_cast<std::uint32_t>(c.red),
                                     static_cast<std::uint32_t>(c.green),
                                     static_cast<std::uint32_t>(c.blue)));
      }
    }
  }
  return boat;
}

}  // namespace

void CoastTheme::addZones(track::SurfaceMap& map, const track::TrackData&) {
  seed_ = static_cast<std::uint32_t>(platform::randInt());
  width_ = static_cast<int>(map.columns / 2);
  height_ = static_cast<int>(map.rows / 2);
  const std::vector<std::uint8_t> sea =
      seaFrom(farFromRoad(map, width_, height_, seed_), width_, height_);
  landDistance_ = themekit::distanceFrom(width_, height_, [&](std::size_t i) { return !sea[i]; });
  waterDistance_ = themekit::distanceFrom(width_, height_, [&](std::size_t i) { return sea[i]; });
  themekit::forEachRow(height_, [&](int y) {
    for (int x = 0; x < width_; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width_ + x;
      const float beach = 14.0f + 16.0f * themekit::smoothNoise(x / 70.0f, y / 70.0f, seed_ + 1);
      if (sea[i]) {
        themekit::markPixel(map, x, y, zone::kWater, {zone::kGround, zone::kOpenGround});
      } else if (waterDistance_[i] <= beach) {
        themekit::markPixel(map, x, y, zone::kShore, {zone::kGround, zone::kOpenGround});
      }
    }
  });
}

painting::Colour CoastTheme::waterColour(int x, int y, float out) const {
  const float depth = std::pow(std::min(1.0f, out / 110.0f), 0.7f);
  Colour water = themekit::mix(Colour{70, 172, 178}, Colour{22, 70, 122}, depth);
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float swell = std::sin((fx * 0.9f + fy * 0.45f) / 4.5f +
                               7.0f * themekit::smoothNoise(fx / 50.0f, fy / 50.0f, seed_));
  water = themekit::scaled(water, 1.0f + 0.05f * swell);
  // Foam where the waves break, and a broken second line further out.
  const float broken = themekit::smoothNoise(fx / 9.0f, fy / 9.0f, seed_ + 2);
  if (out <= 2.0f || (out >= 7.0f && out <= 9.0f && broken > 0.55f)) {
    water = themekit::mix(water, Colour{238, 244, 242}, out <= 2.0f ? 0.85f : 0.55f);
  }
  return water;
}

void CoastTheme::paint(const track::SurfaceMap& map, const platform::Bitmap& clouds,
                       platform::Bitmap& picture) {
  const painting::RoadLook look;
  painting::paintPixelsOverGround(
      map, clouds, picture,
      [&] {
        // The water's colour at the last pixel, worked out once for its four cells.
        return [&, waterX = -1, waterY = -1, water = Colour{}](
                   std::int32_t value, long long row, long long column, int x, int y,
                   const Shade& shade, RandomBits& random) mutable {
          if (zone::onRoad(value)) {
            return painting::roadColour(map, row, column, value, shade, random, look);
          }
          const std::size_t i = static_cast<std::size_t>(y) * width_ + x;
          if (value == zone::kWater) {
            if (x != waterX || y != waterY) {
              waterX = x;
              waterY = y;
              water = waterColour(x, y, landDistance_[i]);
            }
            return themekit::shaded(themekit::jittered(water, random, 6), shade);
          }
          if (value == zone::kShore || value == zone::kRunOff) {
            const bool wet = value == zone::kShore && waterDistance_[i] <= 5;
            const Colour sand = wet ? Colour{196, 176, 136} : Colour{234, 214, 166};
            return themekit::shaded(themekit::jittered(sand, random, 16), shade);
          }
          return grassColour(shade, random);
        };
      },
      [](std::int32_t value) {
        return !zone::onRoad(value) && value != zone::kWater && value != zone::kShore &&
               value != zone::kRunOff;
      },
      [](const Shade& shade, RandomBits& random) { return grassColour(shade, random); });
}

void CoastTheme::plantPiers(const track::SurfaceMap& map, platform::Bitmap& picture,
                            std::vector<SceneryItem>& placed) {
  constexpr int kBlock = 150;
  for (int gy = 0; gy < height_; gy += kBlock) {
    for (int gx = 0; gx < width_; gx += kBlock) {
      const int sx = gx + platform::randInt() % kBlock, sy = gy + platform::randInt() % kBlock;
      const int length = 80 + platform::randInt() % 70;
      // The shore point nearest the spot, searched on a coarse grid around it.
      int bestX = -1, bestY = -1;
      for (int y = std::max(1, sy - 40); y < std::min(height_ - 1, sy + 40); y += 2) {
        for (int x = std::max(1, sx - 40); x < std::min(width_ - 1, sx + 40); x += 2) {
          if (landDistance_[static_cast<std::size_t>(y) * width_ + x] == 1) {
            bestX = x;
            bestY = y;
          }
        }
      }
      if (bestX < 0) continue;
      auto out = [&](int x, int y) {
        x = std::clamp(x, 0, width_ - 1);
        y = std::clamp(y, 0, height_ - 1);
        return static_cast<float>(landDistance_[static_cast<std::size_t>(y) * width_ + x]);
      };
      float dx = out(bestX + 4, bestY) - out(bestX - 4, bestY);
      float dy = out(bestX, bestY + 4) - out(bestX, bestY - 4);
      const float norm = std::hypot(dx, dy);
      if (norm < 1e-3f) continue;
      dx /= norm;
      dy /= norm;
      // The pier starts a little up the beach and runs straight out to sea.
      const float startX = bestX - dx * 10.0f, startY = bestY - dy * 10.0f;
      const int left = static_cast<int>(std::min(startX, startX + dx * length)) - 14;
      const int top = static_cast<int>(std::min(startY, startY + dy * length)) - 14;
      const int side = length + 30;
      platform::Bitmap pier(side, side);
      for (int v = 0; v < side; ++v) {
        for (int u = 0; u < side; ++u) {
          const float px = static_cast<float>(left + u) - startX;
          const float py = static_cast<float>(top + v) - startY;
          const float along = px * dx + py * dy, across = -px * dy + py * dx;
          if (along < 0 || along > static_cast<float>(length)) continue;
          if (std::abs(across) <= 7.5f) {
            const int plank = static_cast<int>(along / 4.0f);
            const float gap = along - static_cast<float>(plank) * 4.0f;
            const int shade =
                gap < 0.8f ? 60 : (plank % 3 == 0 ? 150 : (plank % 3 == 1 ? 136 : 158));
            pier.setPixel(u, v, platform::argb(255, shade, shade * 3 / 4, shade / 2));
          } else if (std::abs(across) <= 9.0f && static_cast<int>(along) % 16 < 3) {
            pier.setPixel(u, v, platform::argb(255, 58, 44, 34));  // a post
          } else if (across > 7.5f && across <= 12.0f) {
            pier.setPixel(u, v, platform::argb(70, 0, 20, 40));  // its shadow on the water
          }
        }
      }
      if (scenery::placeClearOfRoad(pier, map, picture, left, top)) {
        placed.push_back(SceneryItem{bestX, bestY, length});
        // A boat moored beside the pier's far half, on one side or the other.
        const float side = platform::randInt() % 2 == 0 ? 1.0f : -1.0f;
        const float along = static_cast<float>(length) * (0.55f + 0.1f * (platform::randInt() % 3));
        const float boatX = startX + dx * along - dy * side * 20.0f;
        const float boatY = startY + dy * along + dx * side * 20.0f;
        const int hull = platform::randInt() % 3;
        const int boatLeft = static_cast<int>(boatX) - 24, boatTop = static_cast<int>(boatY) - 24;
        if (scenery::placeClearOfRoad(paintBoat(dx, dy, hull), map, picture, boatLeft, boatTop)) {
          placed.push_back(SceneryItem{static_cast<int>(boatX), static_cast<int>(boatY), 28});
        }
      }
    }
  }
}

void CoastTheme::plantScenery(const track::SurfaceMap& map, platform::Bitmap& picture,
                              std::vector<SceneryItem>& placed) {
  plantPiers(map, picture, placed);
  CrownLook bush;
  bush.dark[0] = 30, bush.dark[1] = 70, bush.dark[2] = 30;
  bush.light[0] = 90, bush.light[1] = 150, bush.light[2] = 60;
  bush.shadowOffset = 5;
  std::vector<scenery::Planned> plan;
  for (int gx = -30; gx < width_ + 30; gx += 70) {
    for (int gy = -30; gy < height_ + 30; gy += 70) {
      const int px = gx + platform::randInt() % 70, py = gy + platform::randInt() % 70;
      const int size = 30 + platform::randInt() % 30;
      if (map.at(2LL * py, 2LL * px) != zone::kOpenGround || platform::randInt() % 3 != 0) continue;
      const int corner = -10 + bush.shadowOffset - size / 2;
      plan.push_back({SceneryItem{px, py, size}, px + corner, py + corner,
                      [seed = drawCrown(size), &bush] { return paintCrown(seed, bush); }});
    }
  }
  scenery::paintAndPlace(plan, map, picture, placed);
}

std::int32_t CoastTheme::surfaceOf(std::int32_t zone) const {
  if (zone == zone::kWater) return track::SurfaceMap::kWater;
  if (zone == zone::kShore || zone == zone::kRunOff) return track::SurfaceMap::kSand;
  return track::SurfaceMap::kGrass;
}

}  // namespace background
