#include "background/Compositing.h"

#include <algorithm>
#include <array>
#include <cmath>
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
// taps beyond the edge are left out, so the edge is not darkened by imaginary pixels.
std::vector<float> tapTotals(int count) {
  const auto& w = blurWeights();
  std::vector<float> totals(static_cast<std::size_t>(count), 0.0f);
  for (int i = 0; i < count; ++i) {
    for (int k = 0; k < kTaps; ++k) {
      const int j = i + k - kRadius;
      if (j >= 0 && j < count) totals[i] += w[k];
    }
  }
  return totals;
}

// Adds `weight` × `source` to `sum`, element by element; a loop the compiler vectorises.
void addWeighted(float* __restrict sum, const float* __restrict source, float weight, int count) {
  for (int i = 0; i < count; ++i) sum[i] += weight * source[i];
}

}  // namespace

void sourceOver(const platform::Bitmap& source, platform::Bitmap& target, int ox, int oy,
                int firstRow, int lastRow) {
  const int u0 = std::max(0, -ox);
  const int v0 = std::max({0, -oy, firstRow - oy});
  const int u1 = std::min(source.width(), target.width() - ox);
  const int v1 = std::min(source.height(), std::min(target.height(), lastRow) - oy);
  for (int v = v0; v < v1; ++v) {
    for (int u = u0; u < u1; ++u) {
      const platform::Color s = source.getPixel(u, v);
      const unsigned as = platform::alphaOf(s);
      if (as == 0) continue;  // leaves the target exactly as it was
      if (as == 255) {        // opaque: covers the target
        target.setPixel(ox + u, oy + v, s);
        continue;
      }
      const platform::Color t = target.getPixel(ox + u, oy + v);
      const unsigned at = platform::alphaOf(t);
      if (at == 255) {  // over an opaque target (the painted background): a plain mix
        const unsigned r = 255 - as;
        auto mix = [&](unsigned tc, unsigned sc) { return (r * tc) / 255 + (as * sc) / 255; };
        target.setPixel(ox + u, oy + v,
                        platform::argb(255, mix(platform::redOf(t), platform::redOf(s)),
                                       mix(platform::greenOf(t), platform::greenOf(s)),
                                       mix(platform::blueOf(t), platform::blueOf(s))));
        continue;
      }
      const unsigned r = 255 - as;
      const unsigned alpha = 255 - r * (255 - at) / 255;
      auto channel = [&](unsigned tc, unsigned sc) {
        // Truncation can leave `alpha` a little low; never let a channel spill over.
        return std::min(255u, r * (at * tc) / alpha / 255 + as * sc / alpha);
      };
      target.setPixel(ox + u, oy + v,
                      platform::argb(alpha, channel(platform::redOf(t), platform::redOf(s)),
                                     channel(platform::greenOf(t), platform::greenOf(s)),
                                     channel(platform::blueOf(t), platform::blueOf(s))));
    }
  }
}

platform::Bitmap blurredShadow(const platform::Bitmap& picture) {
  const int width = picture.width();
  const int height = picture.height();
  const std::size_t size = static_cast<std::size_t>(width) * height;
  const auto& w = blurWeights();
  std::vector<float> alpha(size), rowsBlurred(size), sum(static_cast<std::size_t>(width));
  for (std::size_t i = 0; i < size; ++i) alpha[i] = platform::alphaOf(picture.data()[i]);

  // Along the rows: each tap shifts the whole row, so the inner loop runs over pixels.
  const std::vector<float> rowTotals = tapTotals(width);
  for (int y = 0; y < height; ++y) {
    const float* in = alpha.data() + static_cast<std::size_t>(y) * width;
    float* out = rowsBlurred.data() + static_cast<std::size_t>(y) * width;
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (int k = 0; k < kTaps; ++k) {
      const int first = std::max(0, kRadius - k);
      const int last = std::min(width, width + kRadius - k);
      if (first < last)
        addWeighted(sum.data() + first, in + first + k - kRadius, w[k], last - first);
    }
    // Each pass stores whole alpha values, as a picture in between would.
    for (int x = 0; x < width; ++x) out[x] = std::floor(std::min(255.0f, sum[x] / rowTotals[x]));
  }

  // Along the columns: whole rows at a time, again vectorised over the pixels of a row.
  const std::vector<float> columnTotals = tapTotals(height);
  platform::Bitmap shadow(width, height);
  for (int y = 0; y < height; ++y) {
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (int k = 0; k < kTaps; ++k) {
      const int source = y + k - kRadius;
      if (source < 0 || source >= height) continue;
      addWeighted(sum.data(), rowsBlurred.data() + static_cast<std::size_t>(source) * width, w[k],
                  width);
    }
    // The colour of the blur is thrown away: a shadow is black, at half strength.
    platform::Color* out = shadow.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const auto a = static_cast<std::uint32_t>(std::min(255.0f, sum[x] / columnTotals[y]));
      out[x] = platform::argb(a / 2u, 0, 0, 0);
    }
  }
  return shadow;
}

}  // namespace compositing

}  // namespace background
