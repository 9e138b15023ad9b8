#include "background/ValueNoise.h"

#include <algorithm>
#include <cmath>

#include "background/Parallel.h"
#include "platform/Random.h"
#include "track/SurfaceMap.h"

namespace background {

namespace {

// A node's pull on a pixel fades linearly with whole pixels of distance and ends at `spacing`.
float nodeWeight(int spacing, int dx, int dy) {
  const int distance = static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  return static_cast<float>(std::max(0, spacing - distance));
}

}  // namespace

NoiseOctave::NoiseOctave(int spacing, double factor, int width, int height)
    : spacing_(std::max(1, spacing)),
      keep_(static_cast<float>(factor - 1.0)),
      inverseFactor_(static_cast<float>(1.0 / factor)),
      width_(std::max(0, width)),
      height_(std::max(0, height)),
      nodeColumns_(std::max(0, width_ - 1) / spacing_ + 2),
      nodeRows_(std::max(0, height_ - 1) / spacing_ + 2),
      nodes_(static_cast<std::size_t>(nodeColumns_) * nodeRows_, 0) {
  const int a = spacing_;
  for (auto& table : weights_) table.resize(static_cast<std::size_t>(a) * a);
  for (int dy = 0; dy < a; ++dy) {
    for (int dx = 0; dx < a; ++dx) {
      const float w[4] = {nodeWeight(a, dx, dy), nodeWeight(a, a - dx, dy),
                          nodeWeight(a, dx, a - dy), nodeWeight(a, a - dx, a - dy)};
      // The nearest node is never more than 0.71 × spacing away, so the sum is positive.
      const float sum = w[0] + w[1] + w[2] + w[3];
      for (int k = 0; k < 4; ++k) weights_[k][static_cast<std::size_t>(dy) * a + dx] = w[k] / sum;
    }
  }
}

void NoiseOctave::fillRandom() {
  // Row by row, three bytes from each draw of the game's random source: the finest octaves have
  // as many nodes as the map has cells, and a column-by-column fill would miss the cache on
  // every node.
  std::size_t i = 0;
  const std::size_t count = nodes_.size();
  for (; i + 3 <= count; i += 3) {
    const auto bits = static_cast<std::uint32_t>(platform::randInt());
    nodes_[i] = static_cast<std::uint8_t>(bits);
    nodes_[i + 1] = static_cast<std::uint8_t>(bits >> 8);
    nodes_[i + 2] = static_cast<std::uint8_t>(bits >> 16);
  }
  RandomBits random(static_cast<std::uint32_t>(platform::randInt()));
  for (; i < count; ++i) nodes_[i] = static_cast<std::uint8_t>(random.byte());
}

void NoiseOctave::fillRandom(RandomBits& random) {
  for (std::uint8_t& node : nodes_) node = static_cast<std::uint8_t>(random.byte());
}

void NoiseOctave::fillGuided(const track::SurfaceMap& map, std::int32_t value) {
  const int half = spacing_ / 2;
  const int side = 2 * half;
  const long long cellsPerNode = static_cast<long long>(side) * side;
  // Each node reads only the map, so rows of nodes are counted on several threads; a small map
  // (a tree's crown) is not worth a thread.
  constexpr long long kCellsPerChunk = 1 << 18;
  const long long cellsPerRow = std::max(1LL, cellsPerNode * nodeColumns_);
  const int rowsPerChunk = static_cast<int>(std::max(1LL, kCellsPerChunk / cellsPerRow));
  parallel::forEachChunk(nodeRows_, rowsPerChunk, [&](int firstRow, int lastRow) {
    for (int j = firstRow; j < lastRow; ++j) {
      const long long top = static_cast<long long>(spacing_) * j - half;
      for (int i = 0; i < nodeColumns_; ++i) {
        const long long left = static_cast<long long>(spacing_) * i - half;
        long long differing = 0;
        for (long long r = top; r < top + side; ++r) {
          if (r < 0 || r >= static_cast<long long>(map.rows)) {
            differing += side;  // a whole row outside the map counts as 7
            continue;
          }
          const std::int32_t* cells = map.cells.data() + static_cast<std::size_t>(r) * map.columns;
          for (long long c = left; c < left + side; ++c) {
            const bool inside = c >= 0 && c < static_cast<long long>(map.columns);
            const std::int32_t cell = inside ? cells[c] : track::SurfaceMap::kOutside;
            differing += cell != value ? 1 : 0;
          }
        }
        // A spacing of 1 leaves no cells around a node; such a node stays dark.
        nodes_[static_cast<std::size_t>(j) * nodeColumns_ + i] =
            cellsPerNode == 0 ? 0 : static_cast<std::uint8_t>(differing * 255 / cellsPerNode);
      }
    }
  });
}

void NoiseOctave::blendRow(int y, std::uint8_t* row) const {
  const int a = spacing_;
  const int j0 = y / a;
  const std::size_t weightRow = static_cast<std::size_t>(y - j0 * a) * a;
  const float* w00 = weights_[0].data() + weightRow;
  const float* w10 = weights_[1].data() + weightRow;
  const float* w01 = weights_[2].data() + weightRow;
  const float* w11 = weights_[3].data() + weightRow;
  const std::uint8_t* upper = nodes_.data() + static_cast<std::size_t>(j0) * nodeColumns_;
  const std::uint8_t* lower = upper + nodeColumns_;
  const float keep = keep_;
  const float inverseFactor = inverseFactor_;

  if (a == 1) {  // every pixel sits on its own node
    for (int x = 0; x < width_; ++x) {
      const float blended = (keep * row[x] + upper[x]) * inverseFactor;
      row[x] = static_cast<std::uint8_t>(std::min(255.0f, blended));
    }
    return;
  }

  for (int i0 = 0, x0 = 0; x0 < width_; ++i0, x0 += a) {
    const float v00 = upper[i0], v10 = upper[i0 + 1];
    const float v01 = lower[i0], v11 = lower[i0 + 1];
    const int run = std::min(a, width_ - x0);
    std::uint8_t* out = row + x0;
    for (int dx = 0; dx < run; ++dx) {
      const float v = w00[dx] * v00 + w10[dx] * v10 + w01[dx] * v01 + w11[dx] * v11;
      const float blended = (keep * out[dx] + v) * inverseFactor;
      out[dx] = static_cast<std::uint8_t>(std::min(255.0f, blended));
    }
  }
}

}  // namespace background
