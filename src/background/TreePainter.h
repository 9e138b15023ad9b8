#pragma once
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

namespace background {

// What makes one crown: its size and the key of its random numbers, drawn from
// platform::randInt() when it is planned, so that it can be painted later on any thread.
struct CrownSeed {
  int size = 0;
  std::uint32_t key = 0;
};
// The seed of a crown of `size` pixels. Draws from platform::randInt().
CrownSeed drawCrown(int size);

// A bushy tree seen from above: a noisy green crown on a disk, with a soft shadow cast 7 pixels
// right of and below it. The picture is (size + 20) pixels square and transparent around the
// tree; the crown's top-left corner sits at (3, 3).
// size: crown diameter in pixels, 70..98 in the generator. Draws from platform::randInt().
platform::Bitmap paintTree(int size);
// The same tree from a seed drawn with drawCrown(size); touches no shared state.
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
// The same crown from a seed drawn with drawCrown(size); touches no shared state.
platform::Bitmap paintCrown(const CrownSeed& seed, const CrownLook& look);

}  // namespace background
