#include "race/OverlayShapes.h"

#include <algorithm>
#include <cmath>

#include "platform/Bitmap.h"
#include "platform/Image.h"

namespace race {
namespace {

// More sizes than a race ever draws (a few panels, banners and names, dots, lamps and rings);
// beyond it the kept shapes start over rather than grow.
constexpr std::size_t kMostKept = 96;

platform::Color whiteWithCoverage(double coverage) {
  const auto alpha =
      static_cast<platform::Color>(std::lround(std::clamp(coverage, 0.0, 1.0) * 255));
  return alpha << 24 | 0xffffffu;
}

// A white circle `size` pixels across with soft edges; `inner` > 0 leaves a hole of that
// radius (pixels).
platform::Bitmap roundPicture(int size, double inner) {
  platform::Bitmap bitmap(size, size);
  const double centre = size / 2.0, outer = centre - 0.5;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      double coverage = outer - r + 0.5;
      if (inner > 0) coverage = std::min(coverage, r - inner + 0.5);
      bitmap.setPixel(x, y, whiteWithCoverage(coverage));
    }
  }
  return bitmap;
}

int pixels(double size) {
  return std::max(1, static_cast<int>(std::lround(size)));
}

}  // namespace

OverlayShapes::OverlayShapes(platform::Graphics& graphics) : graphics_(graphics) {}

OverlayShapes::~OverlayShapes() = default;

const platform::Image& OverlayShapes::picture(Kind kind, int w, int h) const {
  auto& kept = pictures_[{kind, w, h}];
  if (kept) return *kept;
  if (pictures_.size() > kMostKept) {
    pictures_.clear();
    return picture(kind, w, h);
  }
  platform::Bitmap bitmap;
  if (kind == Kind::Rect) {
    bitmap = platform::Bitmap(w, h, platform::kWhite);
  } else {
    const double ringWidth = std::max(1.5, w * 0.1);
    bitmap = roundPicture(w, kind == Kind::Ring ? w / 2.0 - 0.5 - ringWidth : 0);
  }
  kept = std::make_unique<platform::Image>(graphics_, bitmap, false);
  return *kept;
}

void OverlayShapes::rect(double x, double y, double w, double h, double z,
                         platform::Color color) const {
  picture(Kind::Rect, pixels(w), pixels(h)).draw(x, y, z, 1, 1, color);
}

void OverlayShapes::disc(double x, double y, double diameter, double z,
                         platform::Color color) const {
  drawRound(Kind::Disc, x, y, diameter, z, color);
}

void OverlayShapes::ring(double x, double y, double diameter, double z,
                         platform::Color color) const {
  drawRound(Kind::Ring, x, y, diameter, z, color);
}

void OverlayShapes::drawRound(Kind kind, double x, double y, double diameter, double z,
                              platform::Color color) const {
  const int size = pixels(diameter);
  picture(kind, size, size).draw(x - size / 2.0, y - size / 2.0, z, 1, 1, color);
}

}  // namespace race
