#pragma once
#include "platform/Bitmap.h"

namespace background {

// A bushy tree seen from above: a noisy green crown on a disk, with a soft shadow cast 7 pixels
// right of and below it. The picture is (size + 20) pixels square and transparent around the
// tree; the crown's top-left corner sits at (3, 3).
// size: crown diameter in pixels, 70..98 in the generator. Draws from platform::randInt().
platform::Bitmap paintTree(int size);

}  // namespace background
