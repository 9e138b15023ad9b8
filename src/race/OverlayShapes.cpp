#include "race/OverlayShapes.h"

#include <algorithm>
#include <cmath>

#include "platform/Bitmap.h"
#include "platform/Image.h"

namespace race {
namespace {

// More shapes than a race keeps drawing (a few panels, banners and names, a dot per car, lamps
// and rings). Beyond it the kept shapes start over rather than grow.
constexpr std::size_t kMostKept = 160;

platform::Color withCoverage(platform::Color color, double coverage) {
  const double alpha = platform::alphaOf(color) * std::clamp(coverage, 0.0, 1.0);
  return platform::withAlpha(color, static_cast<int>(std::lround(alpha)));
}

// A circle `size` pixels across with soft edges; `inner` > 0 leaves a hole of that radius
// (pixels).
platform::Bitmap roundPicture(int size, double inner, platform::Color color) {
  platform::Bitmap bitmap(size, size);
  const double centre = size / 2.0, outer = centre - 0.5;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double r = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      double coverage = outer - r + 0.5;
      if (inner > 0) coverage = std::min(coverage, r - inner + 0.5);
      bitmap.setPixel(x, y, withCoverage(color, coverage));
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

const platform::Image& OverlayShapes::picture(Kind kind, int w, int h,
                                              platform::Color color) const {
  auto& kept = pictures_[{kind, w, h, color}];
  if (kept) return *kept;
  if (pictures_.size() > kMostKept) {
    retired_.clear();
    for (auto& [key, image] : pictures_)
      if (image) retired_.push_back(std::move(image));
    pictures_.clear();
    return picture(kind, w, h, color);
  }
  platform::Bitmap bitmap;
  if (kind == Kind::Rect) {
    bitmap = platform::Bitmap(w, h, color);
  } else {
    const double ringWidth = std::max(1.5, w * 0.1);
    bitmap = roundPicture(w, kind == Kind::Ring ? w / 2.0 - 0.5 - ringWidth : 0, color);
  }
  kept = std::make_unique<platform::Image>(graphics_, bitmap, false);
  return *kept;
}

void OverlayShapes::rect(double x, double y, double w, double h, double z, platform::Color color,
                         int fade) const {
  picture(Kind::Rect, pixels(w), pixels(h), color)
      .draw(x, y, z, 1, 1, platform::withAlpha(platform::kWhite, fade));
}

void OverlayShapes::disc(double x, double y, double diameter, double z, platform::Color color,
                         int fade) const {
  drawRound(Kind::Disc, x, y, diameter, z, color, fade);
}

void OverlayShapes::ring(double x, double y, double diameter, double z,
                         platform::Color color) const {
  drawRound(Kind::Ring, x, y, diameter, z, color, 255);
}

void OverlayShapes::drawRound(Kind kind, double x, double y, double diameter, double z,
                              platform::Color color, int fade) const {
  const int size = pixels(diameter);
  picture(kind, size, size, color)
      .draw(x - size / 2.0, y - size / 2.0, z, 1, 1, platform::withAlpha(platform::kWhite, fade));
}

}  // namespace race
