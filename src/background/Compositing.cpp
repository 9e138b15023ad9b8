#include "background/Compositing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace background {

namespace compositing {

namespace {

constexpr int kRadius = 10;
constexpr int kTaps = 2 * kRadius + 1;

const std::array<float, kTaps>& blurWeights() {
  static const std::array<float, kTaps> weights = [] {
    std::array<float, kTaps> w{};
    for (int k = 0; k < kTaps; ++k) {
      w[k] = static_cast<float>(std::pow(1.5, -0.1 * (k - kRadius) * (k - kRadius)));
    }
    return w;
  }();
  return weights;
}

// Sum of the weights of the taps that fall inside a line of `count` pixels, for each position:
// taps beyond the edge are left out, so the edge is not darkened by imaginary pixels. Away from
// the edges every tap counts, and the same additions in the same order give the same total.
std::vector<float> tapTotals(int count) {
  const auto& w = blurWeights();
  float allTaps = 0.0f;
  for (const float weight : w) allTaps += weight;
  std::vector<float> totals(static_cast<std::size_t>(count), allTaps);
  auto nearEdge = [count](int i) { return i < kRadius || i + kRadius >= count; };
  for (int i = 0; i < count; ++i) {
    if (!nearEdge(i)) continue;
    totals[i] = 0.0f;
    for (int k = 0; k < kTaps; ++k) {
      const int j = i + k - kRadius;
      if (j >= 0 && j < count) totals[i] += w[k];
    }
  }
  return totals;
}

// Eight floats: one vector register where the processor has 256-bit vectors, two elsewhere.
using Floats = float __attribute__((vector_size(8 * sizeof(float))));
// Outputs summed together: four independent sums of eight, so that an addition need not wait
// for the one before it.
constexpr int kLanes = 32;

// sum += weight × the eight floats from `values` on.
void addTap(Floats& sum, float weight, const float* values) {
  Floats v;
  std::memcpy(&v, values, sizeof v);
  sum += weight * v;
}

// The blurred sums of kLanes neighbouring outputs: tap k of output j is first[k × step + j].
// Taps beyond the picture must read zeros; adding a zero changes no sum, so the result is the
// same as leaving those taps out.
void blurLanes(const float* first, std::ptrdiff_t step, float* sums) {
  const auto& w = blurWeights();
  Floats a{}, b{}, c{}, d{};
  for (int k = 0; k < kTaps; ++k) {
    const float* tap = first + k * step;
    addTap(a, w[k], tap);
    addTap(b, w[k], tap + 8);
    addTap(c, w[k], tap + 16);
    addTap(d, w[k], tap + 24);
  }
  std::memcpy(sums, &a, sizeof a);
  std::memcpy(sums + 8, &b, sizeof b);
  std::memcpy(sums + 16, &c, sizeof c);
  std::memcpy(sums + 24, &d, sizeof d);
}

// The smallest rectangle holding every pixel that is not fully transparent; empty (right ≤ left)
// for a picture that is transparent all over.
struct Extent {
  int left = 0, top = 0, right = 0, bottom = 0;
};

Extent opaqueExtent(const std::uint8_t* alpha, int width, int height) {
  Extent e{width, height, 0, 0};
  const auto visible = [](std::uint8_t a) { return a != 0; };
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = alpha + static_cast<std::size_t>(y) * width;
    const std::uint8_t* end = row + width;
    const std::uint8_t* first = std::find_if(row, end, visible);
    if (first == end) continue;
    const auto last = std::find_if(std::make_reverse_iterator(end),
                                   std::make_reverse_iterator(first + 1), visible);
    e.left = std::min(e.left, static_cast<int>(first - row));
    e.right = std::max(e.right, static_cast<int>(last.base() - row));
    e.top = std::min(e.top, y), e.bottom = y + 1;
  }
  return e;
}

// Source pixel `s` drawn over target pixel `t`; `s` is not fully transparent.
platform::Color over(platform::Color s, platform::Color t) {
  const unsigned as = platform::alphaOf(s);
  if (as == 255) return s;  // opaque: covers the target
  const unsigned at = platform::alphaOf(t);
  const unsigned r = 255 - as;
  if (at == 255) {                 // over an opaque target (the painted background): a plain mix
    if ((s & 0x00ffffffu) == 0) {  // a shadow: black only darkens
      auto darken = [&](unsigned tc) { return (r * tc) / 255; };
      return platform::argb(255, darken(platform::redOf(t)), darken(platform::greenOf(t)),
                            darken(platform::blueOf(t)));
    }
    auto mix = [&](unsigned tc, unsigned sc) { return (r * tc) / 255 + (as * sc) / 255; };
    return platform::argb(255, mix(platform::redOf(t), platform::redOf(s)),
                          mix(platform::greenOf(t), platform::greenOf(s)),
                          mix(platform::blueOf(t), platform::blueOf(s)));
  }
  const unsigned alpha = 255 - r * (255 - at) / 255;
  auto channel = [&](unsigned tc, unsigned sc) {
    // Truncation can leave `alpha` a little low; never let a channel spill over.
    return std::min(255u, r * (at * tc) / alpha / 255 + as * sc / alpha);
  };
  return platform::argb(alpha, channel(platform::redOf(t), platform::redOf(s)),
                        channel(platform::greenOf(t), platform::greenOf(s)),
                        channel(platform::blueOf(t), platform::blueOf(s)));
}

}  // namespace

void sourceOver(const platform::Bitmap& source, platform::Bitmap& target, int ox, int oy,
                int firstRow, int lastRow) {
  const int u0 = std::max(0, -ox);
  const int v0 = std::max({0, -oy, firstRow - oy});
  const int u1 = std::min(source.width(), target.width() - ox);
  const int v1 = std::min(source.height(), std::min(target.height(), lastRow) - oy);
  for (int v = v0; v < v1; ++v) {
    const platform::Color* from = source.data() + static_cast<std::size_t>(v) * source.width() + u0;
    platform::Color* to =
        target.data() + static_cast<std::size_t>(oy + v) * target.width() + ox + u0;
    for (int i = 0; i < u1 - u0; ++i) {
      if (platform::alphaOf(from[i]) != 0) to[i] = over(from[i], to[i]);
    }
  }
}

platform::Bitmap blurredShadow(const platform::Bitmap& picture) {
  std::vector<std::uint8_t> alpha(static_cast<std::size_t>(picture.width()) * picture.height());
  std::transform(picture.data(), picture.data() + alpha.size(), alpha.begin(),
                 [](platform::Color c) { return platform::alphaOf(c); });
  return blurredShadow(alpha, picture.width(), picture.height());
}

// On x86-64 also built for processors with AVX2, picked when the program starts: the same
// operations on each pixel, twice as many at a time. Elsewhere the one plain build serves.
#if defined(__x86_64__) && defined(__GNUC__)
#define KELVANE_ALSO_FOR_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define KELVANE_ALSO_FOR_AVX2
#endif

KELVANE_ALSO_FOR_AVX2 platform::Bitmap blurredShadow(const std::vector<std::uint8_t>& alpha,
                                                     int width, int height) {
  platform::Bitmap shadow(width, height);
  const Extent solid = opaqueExtent(alpha.data(), width, height);
  if (solid.right <= solid.left) return shadow;
  // Only pixels within the blur's reach of a visible one get any shadow.
  const int left = std::max(0, solid.left - kRadius);
  const int right = std::min(width, solid.right + kRadius);
  const int top = std::max(0, solid.top - kRadius);
  const int bottom = std::min(height, solid.bottom + kRadius);
  // Rows of floats with kRadius zeros on either side and room for a last group of lanes.
  const int stride = width + 2 * kRadius + kLanes;
  const auto at = [stride](int row, int x) {
    return static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x);
  };
  std::vector<float> line(static_cast<std::size_t>(stride), 0.0f);
  std::vector<float> sums(static_cast<std::size_t>(stride), 0.0f);

  // Along the rows; row r of `rowsBlurred` holds picture row r − kRadius, padded with zero rows.
  const std::vector<float> rowTotals = tapTotals(width);
  std::vector<float> rowsBlurred(at(height + 2 * kRadius + 1, 0), 0.0f);
  for (int y = solid.top; y < solid.bottom; ++y) {
    const std::uint8_t* in = alpha.data() + static_cast<std::size_t>(y) * width;
    std::copy(in + solid.left, in + solid.right, line.begin() + kRadius + solid.left);
    for (int x = left; x < right; x += kLanes) blurLanes(line.data() + x, 1, sums.data() + x);
    // Each pass stores whole alpha values, as a picture in between would. The sums are never
    // negative, so dropping the fraction rounds down, and unlike std::floor it vectorises.
    float* out = rowsBlurred.data() + at(y + kRadius, 0);
    for (int x = left; x < right; ++x)
      out[x] = static_cast<float>(static_cast<int>(std::min(255.0f, sums[x] / rowTotals[x])));
  }

  // Along the columns, tap k of row y reading row y + k of `rowsBlurred`.
  const std::vector<float> columnTotals = tapTotals(height);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; x += kLanes) {
      blurLanes(rowsBlurred.data() + at(y, x), stride, sums.data() + x);
    }
    // The colour of the blur is thrown away: a shadow is black, at half strength.
    platform::Color* out = shadow.data() + static_cast<std::size_t>(y) * width;
    for (int x = left; x < right; ++x) {
      const auto a = static_cast<std::uint32_t>(std::min(255.0f, sums[x] / columnTotals[y]));
      out[x] = platform::argb(a / 2u, 0, 0, 0);
    }
  }
  return shadow;
}

}  // namespace compositing

}  // namespace background
