#pragma once
#include <functional>
#include <vector>

#include "background/Theme.h"
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

// A piece of scenery planned in the order of the random numbers: `paint` gives its picture and
// must touch no shared state (its random numbers drawn beforehand); its top-left corner goes to
// picture pixel (left, top); `item` is what placed() reports.
struct Planned {
  SceneryItem item;
  int left = 0;
  int top = 0;
  std::function<platform::Bitmap()> paint;
};

// Paints the planned pieces on the painter's threads, then draws them over `picture` in their
// order, leaving out those that would cover the road; appends the drawn ones to `placed`.
void paintAndPlace(const std::vector<Planned>& plan, const track::SurfaceMap& map,
                   platform::Bitmap& picture, std::vector<SceneryItem>& placed);

}  // namespace scenery

}  // namespace background
