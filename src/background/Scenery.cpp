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

// Picture pixels along each side of a block of RoadBlocks.
constexpr int kBlockPixels = 16;

// The pixels (u0, v0) .. (u1 − 1, v1 − 1) of `item`, its top-left corner at picture pixel
// (ox, oy), all of them inside the picture: whether a visible one has road under it.
bool coversRoadWithin(const platform::Bitmap& item, const track::SurfaceMap& map, int ox, int oy,
                      int u0, int v0, int u1, int v1) {
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

// The part of an item at (ox, oy) that lies inside the picture, in the item's pixels.
struct Overlap {
  int u0, v0, u1, v1;
};

Overlap overlap(const platform::Bitmap& item, const track::SurfaceMap& map, int ox, int oy) {
  const int pictureWidth = static_cast<int>(map.columns / 2);
  const int pictureHeight = static_cast<int>(map.rows / 2);
  return {std::max(0, -ox), std::max(0, -oy), std::min(item.width(), pictureWidth - ox),
          std::min(item.height(), pictureHeight - oy)};
}

// Which blocks of kBlockPixels × kBlockPixels picture pixels have road under any of their
// pixels. Most scenery stands far from the road: a block clears it without a look at the map
// cell by cell under every visible pixel. The map is read once, row after row, which the
// processor streams far faster than the scattered rows under each piece of scenery.
class RoadBlocks {
 public:
  // Reads the map on the painter's threads.
  explicit RoadBlocks(const track::SurfaceMap& map)
      : map_(map),
        columns_(blocksFor(map.columns / 2)),
        rows_(blocksFor(map.rows / 2)),
        road_(static_cast<std::size_t>(columns_) * rows_) {
    parallel::forEachChunk(rows_, 1, [&](int first, int last) {
      for (int row = first; row < last; ++row) scanRow(row);
    });
  }

  // The same answer as coversRoad(item, map_, ox, oy).
  bool coversRoad(const platform::Bitmap& item, int ox, int oy) const {
    const Overlap o = overlap(item, map_, ox, oy);
    for (int v = o.v0; v < o.v1;) {
      const int row = (oy + v) / kBlockPixels;
      const int vEnd = std::min(o.v1, (row + 1) * kBlockPixels - oy);
      for (int u = o.u0; u < o.u1;) {
        const int column = (ox + u) / kBlockPixels;
        const int uEnd = std::min(o.u1, (column + 1) * kBlockPixels - ox);
        if (road_[static_cast<std::size_t>(row) * columns_ + column] &&
            coversRoadWithin(item, map_, ox, oy, u, v, uEnd, vEnd)) {
          return true;
        }
        u = uEnd;
      }
      v = vEnd;
    }
    return false;
  }

 private:
  static int blocksFor(std::uint32_t pixels) {
    return static_cast<int>((pixels + kBlockPixels - 1) / kBlockPixels);
  }

  // Marks the blocks of block row `row` from the map cells under their pixels.
  void scanRow(int row) {
    const auto pictureWidth = static_cast<int>(map_.columns / 2);
    const auto pictureHeight = static_cast<int>(map_.rows / 2);
    const int y0 = row * kBlockPixels, y1 = std::min(pictureHeight, y0 + kBlockPixels);
    std::uint8_t* marks = road_.data() + static_cast<std::size_t>(row) * columns_;
    for (std::size_t r = 2 * static_cast<std::size_t>(y0); r < 2 * static_cast<std::size_t>(y1);
         ++r) {
      const std::int32_t* cells = map_.cells.data() + r * map_.columns;
      for (int column = 0; column < columns_; ++column) {
        if (marks[column]) continue;  // the rest of its rows need not be read
        const int x0 = column * kBlockPixels, x1 = std::min(pictureWidth, x0 + kBlockPixels);
        marks[column] = std::any_of(cells + 2 * x0, cells + 2 * x1,
                                    [](std::int32_t value) { return zone::onRoad(value); });
      }
    }
  }

  const track::SurfaceMap& map_;
  int columns_;
  int rows_;
  std::vector<std::uint8_t> road_;  // 1 where the block has road, block row by block row
};

}  // namespace

bool coversRoad(const platform::Bitmap& item, const track::SurfaceMap& map, int ox, int oy) {
  const Overlap o = overlap(item, map, ox, oy);
  return coversRoadWithin(item, map, ox, oy, o.u0, o.v0, o.u1, o.v1);
}

bool placeClearOfRoad(const platform::Bitmap& item, const track::SurfaceMap& map,
                      platform::Bitmap& picture, int ox, int oy) {
  if (coversRoad(item, map, ox, oy)) return false;
  compositing::sourceOver(item, picture, ox, oy);
  return true;
}

void paintAndPlace(const std::vector<Planned>& plan, const track::SurfaceMap& map,
                   platform::Bitmap& picture, std::vector<SceneryItem>& placed) {
  if (plan.empty()) return;  // nothing to read the map for
  // A batch at a time, so the pictures waiting to be drawn stay a few megabytes.
  constexpr std::size_t kBatch = 256;
  std::vector<platform::Bitmap> pictures(kBatch);
  std::vector<std::uint8_t> clear(kBatch);
  const RoadBlocks blocks(map);
  for (std::size_t start = 0; start < plan.size(); start += kBatch) {
    const std::size_t count = std::min(kBatch, plan.size() - start);
    std::fill(clear.begin(), clear.end(), std::uint8_t{0});
    parallel::forEachChunk(static_cast<int>(count), 4, [&](int first, int last) {
      for (auto i = static_cast<std::size_t>(first); i < static_cast<std::size_t>(last); ++i) {
        const Planned& piece = plan[start + i];
        pictures[i] = piece.paint();
        clear[i] = blocks.coversRoad(pictures[i], piece.left, piece.top) ? 0 : 1;
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
