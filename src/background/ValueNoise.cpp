#include "background/ValueNoise.h"

#include <algorithm>
#include <cmath>

#include "background/Parallel.h"
#include "platform/Random.h"
#include "track/RoadMask.h"
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
      nodes_(static_cast<std::size_t>(nodeColumns_) * nodeRows_) {
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
  if (a == 1 || a > kMaxSpacingAlongRows) return;
  for (int k = 0; k < 4; ++k) {
    rowWeights_[k].resize(static_cast<std::size_t>(a) * width_);
    for (int dy = 0; dy < a; ++dy) {
      const float* pattern = weights_[k].data() + static_cast<std::size_t>(dy) * a;
      float* along = rowWeights_[k].data() + static_cast<std::size_t>(dy) * width_;
      for (int x0 = 0; x0 < width_; x0 += a) {
        std::copy(pattern, pattern + std::min(a, width_ - x0), along + x0);
      }
    }
  }
}

void NoiseOctave::fillRandom() {
  // The finest octaves have as many nodes as the map has cells: one draw of the game's random
  // source keys a cheap stream for all of them.
  RandomBits random(static_cast<std::uint32_t>(platform::randInt()));
  fillRandom(random);
}

void NoiseOctave::fillRandom(RandomBits& random) {
  std::size_t i = 0;
  const std::size_t count = nodes_.size();
  for (; i + 4 <= count; i += 4) {  // a word's four bytes at once
    const std::uint32_t word = random.bits(32);
    for (std::size_t k = 0; k < 4; ++k) nodes_[i + k] = static_cast<std::uint8_t>(word >> (8 * k));
  }
  for (; i < count; ++i) nodes_[i] = static_cast<std::uint8_t>(random.byte());
}

void NoiseOctave::fillGuided(const track::SurfaceMap& map, std::int32_t value) {
  fillGuided(map.cells.data(), map.rows, map.columns, value, value != track::SurfaceMap::kOutside);
}

void NoiseOctave::fillGuided(const track::RoadMask& mask) {
  fillGuided(mask.cells.data(), mask.rows, mask.columns, track::RoadMask::kOnRoad, true);
}

template <typename Cell>
void NoiseOctave::fillGuided(const Cell* cells, std::uint32_t rows, std::uint32_t columns,
                             Cell value, bool outsideDiffers) {
  const int half = spacing_ / 2;
  const int side = 2 * half;
  const long long cellsPerNode = static_cast<long long>(side) * side;
  if (cellsPerNode == 0) {  // a spacing of 1 leaves no cells around a node: it stays dark
    std::fill(nodes_.begin(), nodes_.end(), std::uint8_t{0});
    return;
  }
  // Each node reads only the map, so rows of nodes are counted on several threads; a small map
  // (a tree's crown) is not worth a thread.
  constexpr long long kCellsPerChunk = 1 << 18;
  const long long cellsPerRow = std::max(1LL, cellsPerNode * nodeColumns_);
  const int rowsPerChunk = static_cast<int>(std::max(1LL, kCellsPerChunk / cellsPerRow));
  parallel::forEachChunk(nodeRows_, rowsPerChunk, [&](int firstRow, int lastRow) {
    // A row of nodes is counted down whole map rows first, in one plain loop the compiler
    // vectorises, then along each node's columns. A column's count is at most `side` (≤ 200).
    std::vector<std::uint16_t> differingInColumn(columns);
    for (int j = firstRow; j < lastRow; ++j) {
      const long long top = static_cast<long long>(spacing_) * j - half;
      std::fill(differingInColumn.begin(), differingInColumn.end(), std::uint16_t{0});
      long long rowsOutside = 0;
      for (long long r = top; r < top + side; ++r) {
        if (r < 0 || r >= static_cast<long long>(rows)) {
          ++rowsOutside;  // a whole row outside the map differs
          continue;
        }
        const Cell* __restrict row = cells + static_cast<std::size_t>(r) * columns;
        std::uint16_t* __restrict counts = differingInColumn.data();
        for (std::uint32_t c = 0; c < columns; ++c) counts[c] += row[c] != value ? 1 : 0;
      }
      const long long rowsInside = side - rowsOutside;
      for (int i = 0; i < nodeColumns_; ++i) {
        const long long left = static_cast<long long>(spacing_) * i - half;
        // Cells left and right of the map differ unless told otherwise.
        const long long first = std::max(left, 0LL);
        const long long last = std::min(left + side, static_cast<long long>(columns));
        const long long outside = side - std::max(0LL, last - first);
        long long differing = rowsOutside * side + (outsideDiffers ? outside * rowsInside : 0);
        for (long long c = first; c < last; ++c) differing += differingInColumn[c];
        nodes_[static_cast<std::size_t>(j) * nodeColumns_ + i] =
            static_cast<std::uint8_t>(differing * 255 / cellsPerNode);
      }
    }
  });
}

void NoiseOctave::spreadNodes(int nodeRow, RowCache& cache) const {
  const std::uint8_t* upper = nodes_.data() + static_cast<std::size_t>(nodeRow) * nodeColumns_;
  const std::uint8_t* lower = upper + nodeColumns_;
  // Going down, the last node row's lower nodes are this one's upper nodes.
  const bool next = cache.nodeRow >= 0 && cache.nodeRow == nodeRow - 1;
  if (next) {
    std::swap(cache.around[0], cache.around[2]);
    std::swap(cache.around[1], cache.around[3]);
  }
  for (auto& values : cache.around) values.resize(static_cast<std::size_t>(width_));
  float* topLeft = cache.around[0].data();
  float* topRight = cache.around[1].data();
  float* bottomLeft = cache.around[2].data();
  float* bottomRight = cache.around[3].data();
  for (int i0 = 0, x0 = 0; x0 < width_; ++i0, x0 += spacing_) {
    const int end = std::min(width_, x0 + spacing_);
    const float left = lower[i0], right = lower[i0 + 1];
    for (int x = x0; x < end; ++x) {
      bottomLeft[x] = left;
      bottomRight[x] = right;
    }
    if (next) continue;
    const float upperLeft = upper[i0], upperRight = upper[i0 + 1];
    for (int x = x0; x < end; ++x) {
      topLeft[x] = upperLeft;
      topRight[x] = upperRight;
    }
  }
  cache.nodeRow = nodeRow;
}

void NoiseOctave::blendRow(int y, std::uint8_t* row, RowCache& cache) const {
  blendRow(y, row, cache, 0, width_);
}

void NoiseOctave::blendRow(int y, std::uint8_t* row, RowCache& cache, int first, int last) const {
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
  first = std::max(0, first);
  last = std::min(width_, last);  // a local: the bytes written could alias the member

  if (a == 1) {  // every pixel sits on its own node
    for (int x = first; x < last; ++x) {
      const float blended = (keep * row[x] + upper[x]) * inverseFactor;
      row[x] = static_cast<std::uint8_t>(std::min(255.0f, blended));
    }
    return;
  }

  if (a <= kMaxSpacingAlongRows) {
    if (cache.nodeRow != j0) spreadNodes(j0, cache);
    const std::size_t along = static_cast<std::size_t>(y - j0 * a) * width_;
    const float* __restrict r00 = rowWeights_[0].data() + along;
    const float* __restrict r10 = rowWeights_[1].data() + along;
    const float* __restrict r01 = rowWeights_[2].data() + along;
    const float* __restrict r11 = rowWeights_[3].data() + along;
    const float* __restrict n00 = cache.around[0].data();
    const float* __restrict n10 = cache.around[1].data();
    const float* __restrict n01 = cache.around[2].data();
    const float* __restrict n11 = cache.around[3].data();
    std::uint8_t* __restrict out = row;
    for (int x = first; x < last; ++x) {
      const float v = r00[x] * n00[x] + r10[x] * n10[x] + r01[x] * n01[x] + r11[x] * n11[x];
      const float blended = (keep * out[x] + v) * inverseFactor;
      out[x] = static_cast<std::uint8_t>(std::min(255.0f, blended));
    }
    return;
  }

  for (int i0 = first / a, x0 = i0 * a; x0 < last; ++i0, x0 += a) {
    const float v00 = upper[i0], v10 = upper[i0 + 1];
    const float v01 = lower[i0], v11 = lower[i0 + 1];
    const int end = std::min(a, last - x0);
    std::uint8_t* out = row + x0;
    for (int dx = std::max(0, first - x0); dx < end; ++dx) {
      const float v = w00[dx] * v00 + w10[dx] * v10 + w01[dx] * v01 + w11[dx] * v11;
      const float blended = (keep * out[dx] + v) * inverseFactor;
      out[dx] = static_cast<std::uint8_t>(std::min(255.0f, blended));
    }
  }
}

std::uint8_t NoiseOctave::blendPixel(int x, int y, std::uint8_t value) const {
  const int a = spacing_;
  const int i0 = x / a, j0 = y / a;
  const std::uint8_t* upper = nodes_.data() + static_cast<std::size_t>(j0) * nodeColumns_;
  float v = 0.0f;
  if (a == 1) {
    v = upper[x];
  } else {
    // Term by term in blendRow's order, so the sum rounds the same.
    const std::uint8_t* lower = upper + nodeColumns_;
    const std::size_t offset = static_cast<std::size_t>(y - j0 * a) * a + (x - i0 * a);
    v = weights_[0][offset] * static_cast<float>(upper[i0]) +
        weights_[1][offset] * static_cast<float>(upper[i0 + 1]) +
        weights_[2][offset] * static_cast<float>(lower[i0]) +
        weights_[3][offset] * static_cast<float>(lower[i0 + 1]);
  }
  const float blended = (keep_ * value + v) * inverseFactor_;
  return static_cast<std::uint8_t>(std::min(255.0f, blended));
}

void NoiseOctave::widenRange(float& low, float& high, NodeRange nodes) const {
  // The weights' sum may round a little off 1, and truncation takes up to a whole unit off.
  low = std::max(0.0f, (keep_ * low + nodes.low) * inverseFactor_ - 1.5f);
  high = std::min(255.0f, (keep_ * high + nodes.high + 1.0f) * inverseFactor_ + 0.5f);
}

NoiseOctave::NodeRange NoiseOctave::nodeRange(int y, int first, int last) const {
  const int j0 = std::clamp(y / spacing_, 0, nodeRows_ - 2);
  const int i0 = std::max(0, first / spacing_);
  const int i1 = std::min(nodeColumns_ - 1, (std::max(first, last - 1)) / spacing_ + 1);
  NodeRange range{255, 0};
  for (int j = j0; j <= j0 + 1; ++j) {
    const std::uint8_t* nodes = nodes_.data() + static_cast<std::size_t>(j) * nodeColumns_;
    const auto [low, high] = std::minmax_element(nodes + i0, nodes + i1 + 1);
    range.low = std::min(range.low, static_cast<float>(*low));
    range.high = std::max(range.high, static_cast<float>(*high));
  }
  return range;
}

ThresholdAnswers::ThresholdAnswers(const std::vector<NoiseOctave>& octaves, std::size_t firstOpen,
                                   int threshold)
    : octaves_(octaves), firstOpen_(std::min(firstOpen, octaves.size())), threshold_(threshold) {
  for (int value = 0; value < 256; ++value) {
    float low = static_cast<float>(value), high = low;
    for (std::size_t k = firstOpen_; k < octaves.size(); ++k) octaves[k].widenRange(low, high);
    answers_[value] = high < static_cast<float>(threshold_) ? 1 : low >= threshold_ ? 0 : kOpen;
  }
}

void ThresholdAnswers::answerRow(int y, std::vector<std::uint8_t>& row,
                                 std::vector<NoiseOctave::RowCache>& caches) const {
  const int width = static_cast<int>(row.size());
  std::uint8_t* pixels = row.data();
  for (int first = 0; first < width; first += kBlockColumns) {
    const int last = std::min(width, first + kBlockColumns);
    const std::uint8_t settled = settledAnswer(y, first, last);
    if (settled != kOpen) {
      std::fill(pixels + first, pixels + last, settled);
      continue;
    }
    std::fill(pixels + first, pixels + last, std::uint8_t{0});
    for (std::size_t k = 0; k < firstOpen_; ++k) {
      octaves_[k].blendRow(y, pixels, caches[k], first, last);
    }
    for (int x = first; x < last; ++x) pixels[x] = below(x, y, pixels[x]);
  }
}

std::uint8_t ThresholdAnswers::settledAnswer(int y, int first, int last) const {
  float low = 0.0f, high = 0.0f;  // a row starts black
  for (std::size_t k = 0; k < firstOpen_; ++k) {
    octaves_[k].widenRange(low, high, octaves_[k].nodeRange(y, first, last));
  }
  for (std::size_t k = firstOpen_; k < octaves_.size(); ++k) octaves_[k].widenRange(low, high);
  const auto threshold = static_cast<float>(threshold_);
  return high < threshold ? 1 : low >= threshold ? 0 : kOpen;
}

}  // namespace background
