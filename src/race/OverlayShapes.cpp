#include "race/OverlayShapes.h"

#include <algorithm>
#include <cmath>

#include "platform/Bitmap.h"
#include "platform/Image.h"

namespace race {
namespace {

// The round shapes are drawn this many pixels across and scaled; larger than they are ever
// shown, so scaling only ever shrinks them and their edges stay smooth.
constexpr int kRoundSize = 64;
constexpr double kRingWidth = 6.5;

platform::Color whiteWithCoverage(double coverage) {
  const auto alpha =
      static_cast<platform::Color>(std::lround(std::clamp(coverage, 0.0, 1.0) * 255));
  return alpha << 24 | 0xffffffu;
}

// A white circle with soft edges; `inner` > 0 leaves a hole of that radius (pixels).
platform::Bitmap roundPicture(double inner) {
  platform::Bitmap bitmap(kRoundSize, kRoundSize);
  const double centre = kRoundSize / 2.0, outer = centre - 0.5;
  for (int y = 0; y < kRoundSize; ++y) {
    for (int x = 0; x < kRoundSize; ++x) {
      const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      double coverage = outer - r + 0.5;
      if (inner > 0) coverage = std::min(coverage, r - inner + 0.5);
      bitmap.setPixel(x, y, whiteWithCoverage(coverage));
    }
  }
  return bitmap;
}

}  // namespace

OverlayShapes::OverlayShapes(platform::Graphics& graphics)
    : pixel_(std::make_unique<platform::Image>(graphics, platform::Bitmap(1, 1, platform::kWhite),
                                               false)),
      disc_(std::make_unique<platform::Image>(graphics, roundPicture(0), false)),
      ring_(std::make_unique<platform::Image>(
          graphics, roundPicture(kRoundSize / 2.0 - 0.5 - kRingWidth), false)) {}

OverlayShapes::~OverlayShapes() = default;

void OverlayShapes::rect(double x, double y, double w, double h, double z,
                         platform::Color color) const {
  pixel_->draw(x, y, z, w, h, color);
}

void OverlayShapes::disc(double x, double y, double diameter, double z,
                         platform::Color color) const {
  const double scale = diameter / kRoundSize;
  disc_->draw(x - diameter / 2, y - diameter / 2, z, scale, scale, color);
}

void OverlayShapes::ring(double x, double y, double diameter, double z,
                         platform::Color color) const {
  const double scale = diameter / kRoundSize;
  ring_->draw(x - diameter / 2, y - diameter / 2, z, scale, scale, color);
}

}  // namespace race
