#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "background/Parallel.h"
#include "background/RandomBits.h"
#include "common/ZeroedAllocator.h"

namespace track {
struct RoadMask;
struct SurfaceMap;
}  // namespace track

namespace background {

// One octave of value noise over a W × H grey picture: random or map-guided values on a grid of
// nodes every `spacing` pixels, spread over the pixels by distance weights and blended into what
// is there with 1/`factor` of its strength. Pictures are processed a row at a time, so several
// octaves can be layered over a row without storing the picture in between.
class NoiseOctave {
 public:
  // spacing: pixels between nodes (1..200); factor: 1 replaces the picture, 2 halves it, ...
  NoiseOctave(int spacing, double factor, int width, int height);

  // Each node gets a uniform random value 0..255, from a stream keyed by one draw of
  // platform::randInt().
  void fillRandom();
  // The same from `random`: one byte per node, row by row.
  void fillRandom(RandomBits& random);
  // Each node gets 255 × the share of map cells around it (a spacing-wide square centred on the
  // node) whose value differs from `value`; cells outside the map count as 7. Dark where the map
  // is mostly `value`.
  void fillGuided(const track::SurfaceMap& map, std::int32_t value);
  // The same for the cells off the mask's road; cells outside the mask are off it.
  void fillGuided(const track::RoadMask& mask);

  // What blendRow keeps from one row to the next: the four nodes around each pixel of the
  // last node row it met. One per octave and thread, for rows taken in order.
  struct RowCache {
    int nodeRow = -1;
    std::vector<float> around[4];  // per pixel: top-left, top-right, bottom-left, bottom-right
  };

  // Blends the octave into row y of a grey picture (one byte per pixel, `width` pixels),
  // reusing what `cache` holds from the rows before.
  void blendRow(int y, std::uint8_t* row, RowCache& cache) const;
  // The same for the pixels first .. last − 1 of the row only.
  void blendRow(int y, std::uint8_t* row, RowCache& cache, int first, int last) const;

  // What blendRow makes of `value` at column x of row y: the same number, for one pixel.
  std::uint8_t blendPixel(int x, int y, std::uint8_t value) const;
  // The lowest and highest of some nodes, 0..255.
  struct NodeRange {
    float low;
    float high;
  };
  // The range of the nodes that pixels first .. last − 1 of row y are blended from.
  NodeRange nodeRange(int y, int first, int last) const;
  // Widens [low, high], the range a pixel's value lies in, to the range it lies in once this
  // octave is blended in from nodes within `nodes` (with a margin for rounding).
  void widenRange(float& low, float& high, NodeRange nodes) const;
  // The same whatever the nodes.
  void widenRange(float& low, float& high) const { widenRange(low, high, NodeRange{0, 255}); }

  int spacing() const { return spacing_; }
  int nodeColumns() const { return nodeColumns_; }
  int nodeRows() const { return nodeRows_; }
  std::uint8_t node(int column, int row) const {
    return nodes_[static_cast<std::size_t>(row) * nodeColumns_ + column];
  }

 private:
  int spacing_;
  float keep_;  // factor − 1
  float inverseFactor_;
  int width_;
  int height_;
  int nodeColumns_;
  int nodeRows_;
  // Row-major. Zeroed by the system: the finest octaves have as many nodes as the map has cells,
  // and filling them is all the writing they need.
  std::vector<std::uint8_t, common::ZeroedAllocator<std::uint8_t>> nodes_;
  // Normalised weights of the four surrounding nodes for each offset (dy × spacing + dx) of a
  // pixel from its top-left node: [0] top-left, [1] top-right, [2] bottom-left, [3] bottom-right.
  std::vector<float> weights_[4];
  // For close nodes, where a pixel's four nodes change every few pixels: weights_ laid out
  // along a whole row for each dy (dy × width + x), so a row is one loop over its pixels.
  static constexpr int kMaxSpacingAlongRows = 12;
  std::vector<float> rowWeights_[4];

  void spreadNodes(int nodeRow, RowCache& cache) const;
  template <typename Cell>
  void fillGuided(const Cell* cells, std::uint32_t rows, std::uint32_t columns, Cell value,
                  bool outsideDiffers);
};

// Runs the octaves in order over rows first .. last − 1 of a grey picture `width` pixels wide
// that starts black, handing each finished row to `takeRow(y, row)`.
template <typename RowSink>
void layerOctaveRows(const std::vector<NoiseOctave>& octaves, int width, int first, int last,
                     RowSink& takeRow) {
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width > 0 ? width : 0));
  std::vector<NoiseOctave::RowCache> caches(octaves.size());
  for (int y = first; y < last; ++y) {
    std::fill(row.begin(), row.end(), std::uint8_t{0});
    for (std::size_t k = 0; k < octaves.size(); ++k) octaves[k].blendRow(y, row.data(), caches[k]);
    takeRow(y, static_cast<const std::uint8_t*>(row.data()));
  }
}

// The same over a whole width × height picture, row by row.
template <typename RowSink>
void layerOctaves(const std::vector<NoiseOctave>& octaves, int width, int height,
                  RowSink&& takeRow) {
  layerOctaveRows(octaves, width, 0, height, takeRow);
}

inline constexpr int kRowsPerParallelChunk = 16;

// layerOctaves with the rows shared among the painter's threads: `takeRow` may be called for
// several rows at once and in any order, so it must touch nothing but its own row.
template <typename RowSink>
void layerOctavesInParallel(const std::vector<NoiseOctave>& octaves, int width, int height,
                            RowSink&& takeRow) {
  parallel::forEachChunk(height, kRowsPerParallelChunk, [&](int first, int last) {
    layerOctaveRows(octaves, width, first, last, takeRow);
  });
}

// Where a layered picture ends below a threshold: for each value a pixel can have after the
// octaves before `firstOpen`, whether the later octaves can still move it across.
class ThresholdAnswers {
 public:
  // threshold: a grey value 1..255, usually 127. Reads `octaves`, which must outlive it.
  ThresholdAnswers(const std::vector<NoiseOctave>& octaves, std::size_t firstOpen, int threshold);

  // 1 when the layered pixel ends below the threshold, else 0; `value` is the pixel at column x
  // of row y after the octaves before firstOpen.
  std::uint8_t below(int x, int y, std::uint8_t value) const {
    if (answers_[value] != kOpen) return answers_[value];
    for (std::size_t k = firstOpen_; k < octaves_.size(); ++k) {
      value = octaves_[k].blendPixel(x, y, value);
    }
    return value < threshold_ ? 1 : 0;
  }
  // Row y's answers (1 below, 0 not) into `row`, one per pixel; `caches` holds one RowCache
  // per octave, kept from the rows before. A block of pixels whose nodes settle its answer
  // is not blended at all: most of a picture lies far from any threshold.
  void answerRow(int y, std::vector<std::uint8_t>& row,
                 std::vector<NoiseOctave::RowCache>& caches) const;

 private:
  static constexpr std::uint8_t kOpen = 2;
  static constexpr int kBlockColumns = 256;
  const std::vector<NoiseOctave>& octaves_;
  std::size_t firstOpen_;
  int threshold_;
  std::uint8_t answers_[256];

  // 1 or 0 when every pixel first .. last − 1 of row y has that answer, whatever its nodes
  // within their ranges; else kOpen.
  std::uint8_t settledAnswer(int y, int first, int last) const;
};

// layerOctavesInParallel that hands `takeRow` only whether each pixel ends below the threshold
// (1) or not (0), the same answers as comparing the whole layered picture, blending only where
// the answers need it.
template <typename RowSink>
void layerOctavesBelowInParallel(const std::vector<NoiseOctave>& octaves,
                                 const ThresholdAnswers& answers, int width, int height,
                                 RowSink&& takeRow) {
  parallel::forEachChunk(height, kRowsPerParallelChunk, [&](int first, int last) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width > 0 ? width : 0));
    std::vector<NoiseOctave::RowCache> caches(octaves.size());
    for (int y = first; y < last; ++y) {
      answers.answerRow(y, row, caches);
      takeRow(y, static_cast<const std::uint8_t*>(row.data()));
    }
  });
}

}  // namespace background
