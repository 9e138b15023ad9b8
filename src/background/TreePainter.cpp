#include "background/TreePainter.h"

#include <algorithm>
#include <map>
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

track::SurfaceMap makeCrownDisk(int size) {
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

// The octaves of a crown's noise before its random nodes are drawn: guided noise, dark over the
// crown's disk and light outside it with a soft rim, then finer octaves whose random nodes
// roughen it into leaves.
std::vector<NoiseOctave> makeCrownOctaves(int size) {
  std::vector<NoiseOctave> octaves;
  octaves.emplace_back(20, 1.0, size, size);
  octaves.back().fillGuided(makeCrownDisk(size), 0);
  double factor = 1.5;
  for (int spacing = 20; spacing >= 2;) {
    spacing /= 2;
    factor *= 2;
    octaves.emplace_back(spacing, factor, size, size);
  }
  return octaves;
}

constexpr float kTreeThreshold = 128.0f;  // a bushy tree's leaves: noise below this

// The crown's noise, size × size, row-major. Each thread keeps a size's octaves (a theme's
// crowns come in a few sizes) and draws every crown's random nodes into them, so a crown makes
// no octave.
std::vector<std::uint8_t> crownShade(int size, RandomBits& random) {
  thread_local std::map<int, std::vector<NoiseOctave>> threadsOctaves;
  auto [known, added] = threadsOctaves.try_emplace(size);
  std::vector<NoiseOctave>& octaves = known->second;
  if (added) octaves = makeCrownOctaves(size);
  for (std::size_t k = 1; k < octaves.size(); ++k) octaves[k].fillRandom(random);
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

// A crown of `size` pixels from its noise `shades` (size × size): leaves where the noise is below
// `threshold`, coloured by leafColour(shade) in row order, over their soft shadow
// `shadowOffset` (0..kMargin) pixels right of and below them. The crown's top-left corner sits at
// (kMargin − shadowOffset) in a picture (size + 2 × kMargin) square.
template <typename LeafColour>
platform::Bitmap crownOverShadow(const std::vector<std::uint8_t>& shades, int size, float threshold,
                                 int shadowOffset, LeafColour&& leafColour) {
  const int side = size + 2 * kMargin;
  std::vector<std::uint8_t> coverage(static_cast<std::size_t>(side) * side);
  for (int y = 0; y < size; ++y) {
    const std::uint8_t* row = shades.data() + static_cast<std::size_t>(y) * size;
    std::uint8_t* covered =
        coverage.data() + static_cast<std::size_t>(y + kMargin) * side + kMargin;
    for (int x = 0; x < size; ++x) covered[x] = row[x] < threshold ? 255 : 0;
  }
  platform::Bitmap tree = compositing::blurredShadow(coverage, side, side);
  // The leaves are opaque: they replace their shadow where they lie over it.
  const int shift = kMargin - shadowOffset;
  for (int y = 0; y < size; ++y) {
    const std::uint8_t* row = shades.data() + static_cast<std::size_t>(y) * size;
    platform::Color* out = tree.data() + static_cast<std::size_t>(y + shift) * side + shift;
    for (int x = 0; x < size; ++x) {
      const float shade = row[x];
      if (shade < threshold) out[x] = leafColour(shade);
    }
  }
  return tree;
}

}  // namespace

CrownSeed drawCrown(int size) {
  return CrownSeed{size, static_cast<std::uint32_t>(platform::randInt())};
}

platform::Bitmap paintCrown(const CrownSeed& seed, const CrownLook& look) {
  RandomBits random(seed.key);
  const std::vector<std::uint8_t> shades = crownShade(seed.size, random);
  const float threshold = crownThreshold(look);
  return crownOverShadow(shades, seed.size, threshold, look.shadowOffset, [&](float shade) {
    const float t = std::min(1.0f, (threshold - shade) / 70.0f + random.below(20) * 0.01f);
    auto channel = [&](int c) {
      return static_cast<std::uint32_t>(look.dark[c] + (look.light[c] - look.dark[c]) * t);
    };
    return platform::argb(255, channel(0), channel(1), channel(2));
  });
}

platform::Bitmap paintCrown(int size, const CrownLook& look) {
  return paintCrown(drawCrown(size), look);
}

platform::Bitmap paintTree(const CrownSeed& seed) {
  RandomBits random(seed.key);
  const std::vector<std::uint8_t> shades = crownShade(seed.size, random);
  return crownOverShadow(shades, seed.size, kTreeThreshold, kShadowOffset, [&](float shade) {
    // Leaves are brighter where the noise is darker.
    const float leaf = static_cast<float>(60 + random.below(10));
    const auto green = static_cast<std::uint32_t>(colourrules::overlay(leaf, 200.0f - shade));
    return platform::argb(255, 0, green, 0);
  });
}

platform::Bitmap paintTree(int size) {
  return paintTree(drawCrown(size));
}

}  // namespace background
