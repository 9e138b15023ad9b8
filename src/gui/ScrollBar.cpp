#include "gui/ScrollBar.h"

#include <algorithm>
#include <cmath>

namespace gui {

namespace {

constexpr platform::Color kTrackTint = 0xff808080u;

}  // namespace

void ScrollBar::layout(int z, int x, int top, int height) {
  z_ = z;
  x_ = x;
  top_ = top;
  height_ = std::max(height, 0);
}

ScrollBar::Span ScrollBar::thumb(int first, int visible, int total) const {
  if (total <= visible || total <= 0) return {top_, height_};
  const int length = std::clamp(height_ * visible / total, std::min(kMinThumb, height_), height_);
  const int travel = height_ - length;
  const int last = total - visible;
  const int offset = static_cast<int>(
      std::lround(static_cast<double>(travel) * std::clamp(first, 0, last) / last));
  return {top_ + offset, length};
}

int ScrollBar::firstRowAt(double y, int visible, int total) const {
  const int last = total - visible;
  if (last <= 0) return 0;
  const int length = thumb(0, visible, total).height;
  const int travel = height_ - length;
  if (travel <= 0) return 0;
  const double along = (y - top_ - length * 0.5) / travel;
  return std::clamp(static_cast<int>(std::lround(along * last)), 0, last);
}

bool ScrollBar::contains(double x, double y) const {
  return x >= x_ && x < x_ + kWidth && y >= top_ && y < top_ + height_;
}

void ScrollBar::draw(int first, int visible, int total) const {
  Sprite trackPiece(guiImagePath(kTrackPicture));
  trackPiece.x = x_;
  trackPiece.y = top_;
  trackPiece.z = z_;
  trackPiece.stretchTo(kWidth, height_);
  trackPiece.draw(kTrackTint);
  const Span span = thumb(first, visible, total);
  Sprite knob(guiImagePath(kThumbPicture));
  knob.x = x_ + 2;
  knob.y = span.top;
  knob.z = z_;
  knob.stretchTo(kWidth - 4, span.height);
  knob.draw();
}

}  // namespace gui
