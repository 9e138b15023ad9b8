#pragma once

namespace editor {

// The part of the world the canvas shows: where the canvas lies in the window, the world point
// at its top-left corner and the zoom. World units and window pixels; y grows downward in both.
class Viewport {
 public:
  // Screen pixels per world unit: from a whole large track on a small canvas to close work.
  static constexpr double kMinZoom = 0.05;
  static constexpr double kMaxZoom = 8.0;

  // The canvas rectangle in window pixels.
  void setCanvas(int left, int top, int width, int height);
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool contains(double screenX, double screenY) const;

  double zoom() const { return zoom_; }
  double toScreenX(double worldX) const { return left_ + (worldX - originX_) * zoom_; }
  double toScreenY(double worldY) const { return top_ + (worldY - originY_) * zoom_; }
  double toWorldX(double screenX) const { return originX_ + (screenX - left_) / zoom_; }
  double toWorldY(double screenY) const { return originY_ + (screenY - top_) / zoom_; }

  // Multiplies the zoom by `factor` (e.g. 1.25 in, 0.8 out), keeping the world point under the
  // screen point (screenX, screenY) where it is.
  void zoomAt(double factor, double screenX, double screenY);
  // Zooms around the canvas's centre.
  void zoomBy(double factor);
  // Moves the view by screen pixels: the picture follows a drag of (dx, dy).
  void pan(double dx, double dy);
  // Shows the world box (minX, minY)-(maxX, maxY) whole, centred, with a margin of a tenth.
  void fit(double minX, double minY, double maxX, double maxY);

 private:
  int left_ = 0;
  int top_ = 0;
  int width_ = 1;
  int height_ = 1;
  double originX_ = 0;
  double originY_ = 0;
  double zoom_ = 1;
};

}  // namespace editor
