#include "background/Scenery.h"

#include <algorithm>
#include <cstdint>

#include "background/Compositing.h"
#include "background/Parallel.h"
#include "background/Zones.h"

namespace background {

namespace scenery {

namespace {

// Rows of pixels drawn together on one thread when scenery is laid over the picture.
constexpr int kRowsPerBand = 32;

}  // namespace

bool coversRoad(const platform::Bitmap& item, const track::SurfaceMap& map, int ox, int oy) {
  const int pictureWidth = static_cast<int>(map.columns / 2);
  const int pictureHeight = static_cast<int>(map.rows / 2);
  const int u0 = std::max(0, -ox), v0 = std::max(0, -oy);
  const int u1 = std::min(item.width(), pictureWidth - ox);
  const int v1 = std::min(item.height(), pictureHeight - oy);
  for (int v = v0; v < v1; ++v) {
    // Pixel row oy + v covers these two map rows, both inside the map.
    const std::int32_t* upper =
        map.cells.data() + 2 * static_cast<std::size_t>(oy + v) * map.columns;
    const std::int32_t* lower = upper + map.columns;
    const platform::Color* pixels = item.data() + static_cast<std::size_t>(v) * item.width();
    for (int u = u0; u < u1; ++u) {
      if (platform::alphaOf(pixels[u]) == 0) continue;
      const std::size_t column = 2 * static_cast<std::size_t>(ox + u);
      if (zone::onRoad(upper[column]) || zone::onRoad(upper[column + 1]) ||
          zone::onRoad(lower[column]) || zone::onRoad(lower[column + 1])) {
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

void paintAndPlace(const std::vector<Planned>& plan, const track::SurfaceMap& map,
                   platform::Bitmap& picture, std::vector<SceneryItem>& placed) {
  // A batch at a time, so the pictures waiting to be drawn stay a few megabytes.
  constexpr std::size_t kBatch = 256;
  std::vector<platform::Bitmap> pictures(kBatch);
  std::vector<std::uint8_t> clear(kBatch);
  for (std::size_t start = 0; start < plan.size(); start += kBatch) {
    const std::size_t count = std::min(kBatch, plan.size() - start);
    std::fill(clear.begin(), clear.end(), std::uint8_t{0});
    parallel::forEachChunk(static_cast<int>(count), 4, [&](int first, int last) {
      for (auto i = static_cast<std::size_t>(first); i < static_cast<std::size_t>(last); ++i) {
        const Planned& piece = plan[start + i];
        pictures[i] = piece.paint();
        clear[i] = coversRoad(pictures[i], map, piece.left, piece.top) ? 0 : 1;
      }
    });
    // Each band of rows gets every piece in the plan's order, so where pieces overlap the later
    // one lies on top, whichever thread draws the band.
    parallel::forEachChunk(picture.height(), kRowsPerBand, [&](int first, int last) {
      for (std::size_t i = 0; i < count; ++i) {
        const Planned& piece = plan[start + i];
        if (clear[i]) {
          compositing::sourceOver(pictures[i], picture, piece.left, piece.top, first, last);
        }
      }
    });
    for (std::size_t i = 0; i < count; ++i) {
      if (clear[i]) placed.push_back(plan[start + i].item);
    }
  }
}

}  // namespace scenery

}  // namespace background
