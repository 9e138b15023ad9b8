#pragma once
#include "platform/Bitmap.h"
#include "track/SurfaceMap.h"

namespace background {

namespace scenery {

// Whether any visible pixel of `item`, with its top-left corner at picture pixel (ox, oy), would
// fall on a pixel with road under it (asphalt or marks in any of its 2 × 2 map cells).
bool coversRoad(const platform::Bitmap& item, const track::SurfaceMap& map, int ox, int oy);

// Draws `item` over `picture` at (ox, oy) unless it would cover the road; true when drawn.
bool placeClearOfRoad(const platform::Bitmap& item, const track::SurfaceMap& map,
                      platform::Bitmap& picture, int ox, int oy);

}  // namespace scenery

}  // namespace background
