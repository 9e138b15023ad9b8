#pragma once
#include <cstdint>

#include "platform/Bitmap.h"

namespace background {

// A snow-dusted conifer seen from above: a star of drooping branch tiers around its top, snow
// on the tiers' upper sides, and a long shadow falling to the lower right as in a low winter
// sun. `radius`: crown radius in pixels, about 12..26. The crown's centre lies at
// conifer::centre(radius) in the picture.
namespace conifer {

platform::Bitmap paint(int radius, std::uint32_t seed);
int centre(int radius);

}  // namespace conifer

}  // namespace background
