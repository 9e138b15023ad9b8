#pragma once
#include <memory>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Color.h"

namespace platform {

class Graphics;

// A picture that can be drawn. Pixels stay in memory; the texture is made when first drawn.
// hardBorders: the picture is placed on whole pixels with both edges rounded, so tiles laid edge
// to edge meet without gaps or seams; filtering never reaches past a picture's own edges.
class Image {
 public:
  // Throws std::runtime_error naming the file when it cannot be read as a picture.
  Image(Graphics& graphics, const std::string& path, bool hardBorders);
  Image(Graphics& graphics, Bitmap bitmap, bool hardBorders);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int width() const { return pixels_.width(); }
  int height() const { return pixels_.height(); }
  bool hardBorders() const { return hardBorders_; }
  const Bitmap& pixels() const { return pixels_; }

  // Replaces the picture's pixels (same or new size); the texture is refreshed on the next draw.
  void replacePixels(const Bitmap& bitmap);

  // Top-left corner at (x, y); the colour tints (multiplies) and its alpha fades the picture.
  void draw(double x, double y, double z, double scaleX = 1, double scaleY = 1,
            Color color = kWhite) const;
  // Rotated by `angle` degrees clockwise around the relative centre (centerX, centerY),
  // which is placed at (x, y).
  void drawRot(double x, double y, double z, double angle, double centerX = 0.5,
               double centerY = 0.5, double scaleX = 1, double scaleY = 1,
               Color color = kWhite) const;

  // Backend texture cache, opaque outside src/platform.
  struct Texture;
  Texture* texture() const { return texture_.get(); }
  void setTexture(std::unique_ptr<Texture> texture) const;
  bool dirty() const { return dirty_; }
  void clearDirty() const { dirty_ = false; }

 private:
  Graphics& graphics_;
  Bitmap pixels_;
  bool hardBorders_;
  mutable std::unique_ptr<Texture> texture_;
  mutable bool dirty_ = true;
  // Watched by this picture's queued draws. A picture may be freed after it was drawn and before
  // the frame is flushed (a widget removed by a click in the frame that drew it): its draws are
  // then skipped instead of reading freed memory.
  std::shared_ptr<const bool> lifetime_ = std::make_shared<const bool>(true);
};

}  // namespace platform
