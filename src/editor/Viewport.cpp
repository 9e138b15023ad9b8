#include "editor/Viewport.h"

#include <algorithm>

namespace editor {

void Viewport::setCanvas(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(1, width);
  height_ = std::max(1, height);
}

bool Viewport::contains(double screenX, double screenY) const {
  return screenX >= left_ && screenX < left_ + width_ && screenY >= top_ &&
         screenY < top_ + height_;
}

void Viewport::zoomAt(double factor, double screenX, double screenY) {
  const double worldX = toWorldX(screenX);
  const double worldY = toWorldY(screenY);
  zoom_ = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
  originX_ = worldX - (screenX - left_) / zoom_;
  originY_ = worldY - (screenY - top_) / zoom_;
}

void Viewport::zoomBy(double factor) {
  zoomAt(factor, left_ + width_ * 0.5, top_ + height_ * 0.5);
}

void Viewport::pan(double dx, double dy) {
  originX_ -= dx / zoom_;
  originY_ -= dy / zoom_;
}

void Viewport::fit(double minX, double minY, double maxX, double maxY) {
  const double spanX = std::max(maxX - minX, 1.0) * 1.2;
  const double spanY = std::max(maxY - minY, 1.0) * 1.2;
  zoom_ = std::clamp(std::min(width_ / spanX, height_ / spanY), kMinZoom, kMaxZoom);
  originX_ = (minX + maxX) * 0.5 - width_ * 0.5 / zoom_;
  originY_ = (minY + maxY) * 0.5 - height_ * 0.5 / zoom_;
}

}  // namespace editor
