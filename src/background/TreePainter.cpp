#include "background/TreePainter.h"

#include <algorithm>
#include <vector>

#include "background/ColourRules.h"
#include "background/Compositing.h"
#include "background/RandomBits.h"
#include "background/ValueNoise.h"
#include "platform/Random.h"
#include "track/SurfaceMap.h"

namespace background {

namespace {

constexpr int kMargin = 10;       // room around the crown for the blurred shadow
constexpr int kShadowOffset = 7;  // pixels the shadow falls right of and below the crown

// 0 inside the crown's disk, kOutsideCrown outside it: the noise is guided by the zeros.
constexpr std::int32_t kOutsideCrown = 3;

track::SurfaceMap crownDisk(int size) {
  track::SurfaceMap disk(static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(size));
  const int centre = size / 2;
  const double radius = (size - size / 6) / 2;
  for (int r = 0; r < size; ++r) {
    for (int c = 0; c < size; ++c) {
      const double dx = c - centre;
      const double dy = r - centre;
      if (dx * dx + dy * dy > radius * radius) disk.set(r, c, kOutsideCrown);
    }
  }
  return disk;
}

constexpr float kTreeThreshold = 128.0f;  // a bushy tree's leaves: noise below this

// The crown's noise, size × size, row-major: guided noise is dark over the disk and light
// outside it, with a soft rim; the finer random octaves roughen it into leaves.
std::vector<std::uint8_t> crownShade(int size, RandomBits& random) {
  std::vector<NoiseOctave> octaves;
  octaves.emplace_back(20, 1.0, size, size);
  octaves.back().fillGuided(crownDisk(size), 0);
  double factor = 1.5;
  for (int spacing = 20; spacing >= 2;) {
    spacing /= 2;
    factor *= 2;
    octaves.emplace_back(spacing, factor, size, size);
    octaves.back().fillRandom(random);
  }
  std::vector<std::uint8_t> shade(static_cast<std::size_t>(size) * size);
  layerOctaves(octaves, size, size, [&](int y, const std::uint8_t* row) {
    std::copy(row, row + size, shade.begin() + static_cast<std::ptrdiff_t>(y) * size);
  });
  return shade;
}

// Where leaves start in the crown's noise for a look.
float crownThreshold(const CrownLook& look) {
  return kTreeThreshold - 40.0f * look.sparse;
}

}  // namespace

CrownSeed drawCrown(int size) {
  return CrownSeed{size, static_cast<std::uint32_t>(platform::randInt())};
}

platform::Bitmap paintCrown(const CrownSeed& seed, const CrownLook& look) {
  const int size = seed.size;
  RandomBits random(seed.key);
  const std::vector<std::uint8_t> shades = crownShade(size, random);
  platform::Bitmap canvas(size + 2 * kMargin, size + 2 * kMargin);
  const float threshold = crownThreshold(look);
  for (int y = 0; y < size; ++y) {
    const std::uint8_t* row = shades.data() + static_cast<std::size_t>(y) * size;
    for (int x = 0; x < size; ++x) {
      const float shade = row[x];
      if (shade >= threshold) continue;  // outside the crown
      const float t = std::min(1.0f, (threshold - shade) / 70.0f + random.below(20) * 0.01f);
      auto channel = [&](int c) {
        return static_cast<std::uint32_t>(look.dark[c] + (look.light[c] - look.dark[c]) * t);
      };
      canvas.setPixel(x + kMargin, y + kMargin,
                      platform::argb(255, channel(0), channel(1), channel(2)));
    }
  }
  platform::Bitmap tree = compositing::blurredShadow(canvas);
  compositing::sourceOver(canvas, tree, -look.shadowOffset, -look.shadowOffset);
  return tree;
}

platform::Bitmap paintCrown(int size, const CrownLook& look) {
  return paintCrown(drawCrown(size), look);
}

platform::Bitmap paintTree(const CrownSeed& seed) {
  const int size = seed.size;
  RandomBits random(seed.key);
  const std::vector<std::uint8_t> shades = crownShade(size, random);
  platform::Bitmap canvas(size + 2 * kMargin, size + 2 * kMargin);
  for (int y = 0; y < size; ++y) {
    const std::uint8_t* row = shades.data() + static_cast<std::size_t>(y) * size;
    for (int x = 0; x < size; ++x) {
      const int shade = row[x];
      if (shade >= kTreeThreshold) continue;  // outside the crown
      // Leaves are brighter where the noise is darker.
      const float leaf = static_cast<float>(60 + random.below(10));
      const auto green = static_cast<std::uint32_t>(colourrules::overlay(leaf, 200.0f - shade));
      canvas.setPixel(x + kMargin, y + kMargin, platform::argb(255, 0, green, 0));
    }
  }
  platform::Bitmap tree = compositing::blurredShadow(canvas);
  compositing::sourceOver(canvas, tree, -kShadowOffset, -kShadowOffset);
  return tree;
}

platform::Bitmap paintTree(int size) {
  return paintTree(drawCrown(size));
}

}  // namespace background
