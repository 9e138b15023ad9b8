#pragma once
#include <vector>

#include "platform/Color.h"
#include "platform/Graphics.h"

namespace editor {

// Filled shapes collected as triangles and handed to the graphics in one draw call per layer.
// All coordinates are window pixels.
class Shapes {
 public:
  // A four-cornered area, corners in order around it.
  void quad(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy,
            platform::Color color);
  // A straight band `width` pixels wide from (x0, y0) to (x1, y1).
  void line(double x0, double y0, double x1, double y1, double width, platform::Color color);
  // A filled circle of `radius` pixels.
  void disc(double x, double y, double radius, platform::Color color);
  // A circle's outline `width` pixels wide, its outer edge at `radius`.
  void ring(double x, double y, double radius, double width, platform::Color color);
  // An axis-aligned rectangle.
  void box(double left, double top, double right, double bottom, platform::Color color);

  bool empty() const { return vertices_.empty(); }
  // Queues everything collected on layer z and starts empty again.
  void drawOn(platform::Graphics& graphics, double z);

 private:
  void triangle(double ax, double ay, double bx, double by, double cx, double cy,
                platform::Color color);

  std::vector<platform::Vertex> vertices_;
};

}  // namespace editor
