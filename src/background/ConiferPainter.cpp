#include "background/ConiferPainter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "background/ThemeKit.h"

namespace background {

namespace conifer {

namespace {

constexpr float kSunX = 0.8f, kSunY = 0.6f;  // the direction the shadows fall
constexpr float kShadowLength = 2.4f;        // crown radii

// The length of (dx, dy), pixels: the sum of the squares is exact in double precision, so this is
// the correctly rounded value std::hypot gives, without its slower care for huge and tiny values.
float distance(float dx, float dy) {
  return static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
}

std::uint32_t blend(std::uint32_t below, float r, float g, float b, float alpha) {
  // Source over a pixel that may be transparent.
  const float a0 = platform::alphaOf(below) / 255.0f;
  const float a = alpha + a0 * (1.0f - alpha);
  if (a <= 0.0f) return 0;
  auto channel = [&](float source, float target) {
    return static_cast<std::uint32_t>(
        std::clamp((source * alpha + target * a0 * (1.0f - alpha)) / a, 0.0f, 255.0f));
  };
  return platform::argb(static_cast<std::uint32_t>(a * 255.0f), channel(r, platform::redOf(below)),
                        channel(g, platform::greenOf(below)), channel(b, platform::blueOf(below)));
}

}  // namespace

int centre(int radius) {
  return radius + 3;
}

platform::Bitmap paint(int radius, std::uint32_t seed) {
  const float R = static_cast<float>(radius);
  const int c = centre(radius);
  const int side = c + static_cast<int>(R * (kShadowLength + 1.0f)) + 3;
  platform::Bitmap tree(side, side);
  const float phase = static_cast<float>(seed % 628) * 0.01f;
  const int branches = 8 + static_cast<int>(seed % 4);
  // The shadow: the crown's disk drawn out along the sun's direction, narrowing to the tip.
  const float length = R * kShadowLength;
  // It reaches at most 0.85 R from its middle line, (c, c) to the tip: pixels beyond that box
  // (with a pixel to spare) need no look.
  const float reach0 = 0.85f * R;
  auto box = [&](float from, float to) {
    return std::pair{std::max(0, static_cast<int>(from) - 2),
                     std::min(side, static_cast<int>(to) + 3)};
  };
  const auto [x0, x1] = box(c - reach0, c + length * kSunX + reach0);
  const auto [y0, y1] = box(c - reach0, c + length * kSunY + reach0);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const float px = static_cast<float>(x - c), py = static_cast<float>(y - c);
      const float along = std::clamp(px * kSunX + py * kSunY, 0.0f, length);
      const float across = distance(px - along * kSunX, py - along * kSunY);
      const float reach = R * (0.85f - 0.6f * along / length);
      if (across < reach) {
        const float edge = std::min(1.0f, (reach - across) / 3.0f);
        tree.setPixel(x, y, platform::argb(static_cast<std::uint32_t>(95.0f * edge), 70, 88, 140));
      }
    }
  }
  // The crown over it.
  for (int y = 0; y < 2 * c; ++y) {
    for (int x = 0; x < 2 * c; ++x) {
      const float px = static_cast<float>(x - c), py = static_cast<float>(y - c);
      const float r = distance(px, py);
      if (r > R) continue;
      const float angle = std::atan2(py, px);
      // Branches radiate from the top: each a ridge, with gaps between them toward the rim.
      const float ridge = std::pow(std::abs(std::cos(branches * 0.5f * angle + phase)), 1.5f);
      const float wobble = themekit::smoothNoise(px * 0.6f + 50.0f, py * 0.6f, seed);
      const float outline = R * (0.5f + 0.42f * ridge + 0.1f * wobble);
      if (r > outline) continue;
      // Three tiers of branches; each is lighter at its top and drops into shade at its edge.
      const float t = r / R;
      const float tier = t * 3.0f - std::floor(t * 3.0f);
      const float sunward = -(px * kSunX + py * kSunY) / std::max(r, 1.0f);
      const float green = 0.45f + 0.3f * ridge + 0.25f * (1.0f - tier) + 0.1f * sunward;
      float red = 24.0f * green, grn = 68.0f * green, blue = 46.0f * green;
      const float snowy = themekit::smoothNoise(px * 0.45f, py * 0.45f + 90.0f, seed + 1);
      if (snowy * 0.6f + 0.35f * ridge + 0.2f * (1.0f - tier) + 0.12f * sunward > 0.72f) {
        const float light = 0.84f + 0.14f * sunward;
        red = 236.0f * light;
        grn = 241.0f * light;
        blue = 250.0f * std::min(1.0f, light + 0.06f);
      }
      const float alpha = std::min(1.0f, (outline - r) / 1.5f);
      tree.setPixel(x, y, blend(tree.getPixel(x, y), red, grn, blue, alpha));
    }
  }
  return tree;
}

}  // namespace conifer

}  // namespace background
