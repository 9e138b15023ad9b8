#include "background/Scenery.h"

#include <algorithm>

#include "background/Compositing.h"
#include "background/Zones.h"

namespace background {

namespace scenery {

namespace {

bool roadUnder(const track::SurfaceMap& map, int x, int y) {
  const long long row = 2LL * y, column = 2LL * x;
  return zone::onRoad(map.at(row, column)) || zone::onRoad(map.at(row, column + 1)) ||
         zone::onRoad(map.at(row + 1, column)) || zone::onRoad(map.at(row + 1, column + 1));
}

}  // namespace

bool coversRoad(const platform::Bitmap& item, const track::SurfaceMap& map, int ox, int oy) {
  const int pictureWidth = static_cast<int>(map.columns / 2);
  const int pictureHeight = static_cast<int>(map.rows / 2);
  const int u0 = std::max(0, -ox), v0 = std::max(0, -oy);
  const int u1 = std::min(item.width(), pictureWidth - ox);
  const int v1 = std::min(item.height(), pictureHeight - oy);
  for (int v = v0; v < v1; ++v) {
    for (int u = u0; u < u1; ++u) {
      if (platform::alphaOf(item.getPixel(u, v)) != 0 && roadUnder(map, ox + u, oy + v)) {
        return true;
      }
    }
  }
  return false;
}

bool placeClearOfRoad(const platform::Bitmap& item, const track::SurfaceMap& map,
                      platform::Bitmap& picture, int ox, int oy) {
  if (coversRoad(item, map, ox, oy)) return false;
  compositing::sourceOver(item, picture, ox, oy);
  return true;
}

}  // namespace scenery

}  // namespace background
