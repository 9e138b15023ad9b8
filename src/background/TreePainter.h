#pragma once
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

namespace background {

// What makes one crown: its size and its random numbers, drawn from platform::randInt() in the
// order painting it on the spot would draw them, so that it can be painted later on any thread.
struct CrownSeed {
  int size = 0;
  std::vector<std::uint8_t> shade;   // the crown's noise, size × size, row-major
  std::vector<std::uint32_t> words;  // the leaves' random numbers
};
// The seed of a crown of `size` pixels whose leaves start at noise `threshold` (darker is leaf).
CrownSeed drawCrown(int size, float threshold);

// A bushy tree seen from above: a noisy green crown on a disk, with a soft shadow cast 7 pixels
// right of and below it. The picture is (size + 20) pixels square and transparent around the
// tree; the crown's top-left corner sits at (3, 3).
// size: crown diameter in pixels, 70..98 in the generator. Draws from platform::randInt().
platform::Bitmap paintTree(int size);
// The same tree from a seed drawn with drawCrown(size, kTreeThreshold); touches no shared state.
inline constexpr float kTreeThreshold = 128.0f;
platform::Bitmap paintTree(const CrownSeed& seed);

// A crown of the same build in other colours: leaves between `dark` and `light` (RGB 0..255),
// brighter where the noise is darker, with the soft shadow `shadowOffset` pixels right of and
// below it; `sparse` 0..1 thins the crown out (dry scrub). The picture is (size + 20) square.
struct CrownLook {
  float dark[3] = {0, 60, 0};
  float light[3] = {0, 140, 0};
  int shadowOffset = 7;
  float sparse = 0;
};
platform::Bitmap paintCrown(int size, const CrownLook& look);
// Where leaves start in the crown's noise for a look.
float crownThreshold(const CrownLook& look);
// The same crown from a seed drawn with drawCrown(size, crownThreshold(look)).
platform::Bitmap paintCrown(const CrownSeed& seed, const CrownLook& look);

}  // namespace background
