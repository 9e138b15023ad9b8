#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/Color.h"

namespace platform {

class Image;
class Font;

// A corner of a filled triangle: window pixels and its colour (blended across the triangle).
struct Vertex {
  float x = 0;
  float y = 0;
  Color color = kWhite;
};

// One queued drawing operation. Drawing is queued during a frame and flushed in ascending z at
// the end of it; calls with equal z keep their call order.
struct DrawCall {
  enum class Kind { Image, Text, Triangles };
  Kind kind = Kind::Image;
  const Image* image = nullptr;               // Kind::Image
  std::weak_ptr<const void> imageLifetime{};  // Kind::Image: expired once the picture is freed
  const Font* font = nullptr;                 // Kind::Text
  std::wstring text{};                        // Kind::Text
  std::vector<Vertex> vertices{};             // Kind::Triangles: three per triangle
  double x = 0, y = 0, z = 0;
  double scaleX = 1, scaleY = 1;
  double angle = 0;                 // degrees clockwise; rotated draws only
  double centerX = 0, centerY = 0;  // relative rotation centre (0..1); rotated draws only
  bool rotated = false;
  Color color = kWhite;
};

// The window's drawing surface. A Graphics without a backend (as constructed; the window installs
// one) still loads pictures and fonts and queues draws, and simply discards them at the end of the
// frame: that is how tests and headless simulations run the real drawing code.
class Graphics {
 public:
  Graphics(int width, int height);
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }

  void queue(DrawCall call);
  // Filled triangles, three vertices each (window pixels), on layer z: shapes such as a road
  // seen from above or a marker, drawn without a picture.
  void drawTriangles(std::vector<Vertex> vertices, double z);
  // The calls queued so far in this frame (for tests).
  const std::vector<DrawCall>& queued() const { return queue_; }
  // Draws the queue in ascending z (stable) and empties it.
  void flush();

  // The backend (a renderer) is installed by the window; opaque outside src/platform.
  struct Backend;
  Backend* backend() const { return backend_.get(); }
  void setBackend(std::unique_ptr<Backend> backend);

 private:
  int width_;
  int height_;
  std::vector<DrawCall> queue_;
  std::unique_ptr<Backend> backend_;
};

}  // namespace platform
