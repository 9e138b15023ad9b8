#include "background/TreePainter.h"

#include <algorithm>
#include <vector>

#include "background/ColourRules.h"
#include "background/Compositing.h"
#include "background/RandomBits.h"
#include "background/ValueNoise.h"
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

// Guided noise is dark over the disk and light outside it, with a soft rim; the finer random
// octaves roughen it into leaves.
std::vector<NoiseOctave> crownOctaves(int size) {
  const track::SurfaceMap disk = crownDisk(size);
  std::vector<NoiseOctave> octaves;
  octaves.emplace_back(20, 1.0, size, size);
  octaves.back().fillGuided(disk, 0);
  double factor = 1.5;
  for (int spacing = 20; spacing >= 2;) {
    spacing /= 2;
    factor *= 2;
    octaves.emplace_back(spacing, factor, size, size);
    octaves.back().fillRandom();
  }
  return octaves;
}

}  // namespace

platform::Bitmap paintCrown(int size, const CrownLook& look) {
  const std::vector<NoiseOctave> octaves = crownOctaves(size);
  RandomBits random;
  platform::Bitmap canvas(size + 2 * kMargin, size + 2 * kMargin);
  const float threshold = 128.0f - 40.0f * look.sparse;
  layerOctaves(octaves, size, size, [&](int y, const std::uint8_t* row) {
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
  });
  platform::Bitmap tree = compositing::blurredShadow(canvas);
  compositing::sourceOver(canvas, tree, -look.shadowOffset, -look.shadowOffset);
  return tree;
}

platform::Bitmap paintTree(int size) {
  const std::vector<NoiseOctave> octaves = crownOctaves(size);
  RandomBits random;
  platform::Bitmap canvas(size + 2 * kMargin, size + 2 * kMargin);
  layerOctaves(octaves, size, size, [&](int y, const std::uint8_t* row) {
    for (int x = 0; x < size; ++x) {
      const int shade = row[x];
      if (shade >= 128) continue;  // outside the crown
      // Leaves are brighter where the noise is darker.
      const float leaf = static_cast<float>(60 + random.below(10));
      const auto green = static_cast<std::uint32_t>(colourrules::overlay(leaf, 200.0f - shade));
      canvas.setPixel(x + kMargin, y + kMargin, platform::argb(255, 0, green, 0));
    }
  });

  platform::Bitmap tree = compositing::blurredShadow(canvas);
  compositing::sourceOver(canvas, tree, -kShadowOffset, -kShadowOffset);
  return tree;
}

}  // namespace background
