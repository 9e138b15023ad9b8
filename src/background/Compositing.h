#pragma once
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/Bitmap.h"

namespace background {

namespace compositing {

// Draws `source` over `target` with its top-left corner at (ox, oy), alpha-blended; pixels that
// fall outside the target are skipped. Where both pixels are fully transparent the target stays
// transparent. Only target rows firstRow .. lastRow − 1 are drawn (all of them by default), so
// bands of rows can be drawn on different threads.
void sourceOver(const platform::Bitmap& source, platform::Bitmap& target, int ox, int oy,
                int firstRow = 0, int lastRow = std::numeric_limits<int>::max());

// The soft shadow of a picture: its alpha blurred with a separable 21-tap kernel
// (weights 1.5^(−0.1·(k − 10)²), taps beyond the edge left out), halved, in black.
platform::Bitmap blurredShadow(const platform::Bitmap& picture);
// The same from a shape's coverage: `alpha` holds width × height values 0..255 (opaque), row by
// row; width and height in pixels.
platform::Bitmap blurredShadow(const std::vector<std::uint8_t>& alpha, int width, int height);

}  // namespace compositing

}  // namespace background
