#include "background/Compositing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

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

// One blur pass over `count` alpha values spaced `stride` apart. Only taps inside the picture
// count, so the edge is not darkened by imaginary transparent pixels beyond it.
void blurLine(const std::uint8_t* in, std::uint8_t* out, int count, int stride) {
  const auto& w = blurWeights();
  static const float fullTotal = [] {
    float total = 0.0f;
    for (float weight : blurWeights()) total += weight;
    return total;
  }();
  const auto at = [&](int j) {
    return static_cast<float>(in[static_cast<std::size_t>(j) * stride]);
  };
  for (int i = 0; i < count; ++i) {
    float weighted = 0.0f;
    float total = fullTotal;
    if (i >= kRadius && i + kRadius < count) {
      for (int k = 0; k < kTaps; ++k) weighted += w[k] * at(i - kRadius + k);
    } else {
      const int first = std::max(0, i - kRadius);
      const int last = std::min(count - 1, i + kRadius);
      total = 0.0f;
      for (int j = first; j <= last; ++j) {
        weighted += w[j - i + kRadius] * at(j);
        total += w[j - i + kRadius];
      }
    }
    out[static_cast<std::size_t>(i) * stride] =
        static_cast<std::uint8_t>(std::min(255.0f, weighted / total));
  }
}

}  // namespace

void sourceOver(const platform::Bitmap& source, platform::Bitmap& target, int ox, int oy) {
  const int u0 = std::max(0, -ox);
  const int v0 = std::max(0, -oy);
  const int u1 = std::min(source.width(), target.width() - ox);
  const int v1 = std::min(source.height(), target.height() - oy);
  for (int v = v0; v < v1; ++v) {
    for (int u = u0; u < u1; ++u) {
      const platform::Color s = source.getPixel(u, v);
      const unsigned as = platform::alphaOf(s);
      if (as == 0) continue;  // leaves the target exactly as it was
      const platform::Color t = target.getPixel(ox + u, oy + v);
      const unsigned at = platform::alphaOf(t);
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
  std::vector<std::uint8_t> alpha(size), rowsBlurred(size), blurred(size);
  for (std::size_t i = 0; i < size; ++i) alpha[i] = platform::alphaOf(picture.data()[i]);
  for (int y = 0; y < height; ++y) {
    const std::size_t start = static_cast<std::size_t>(y) * width;
    blurLine(alpha.data() + start, rowsBlurred.data() + start, width, 1);
  }
  for (int x = 0; x < width; ++x)
    blurLine(rowsBlurred.data() + x, blurred.data() + x, height, width);

  // The colour of the blur is thrown away: a shadow is black, at half strength.
  platform::Bitmap shadow(width, height);
  for (std::size_t i = 0; i < size; ++i)
    shadow.data()[i] = platform::argb(blurred[i] / 2u, 0, 0, 0);
  return shadow;
}

}  // namespace compositing
