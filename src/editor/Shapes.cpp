#include "editor/Shapes.h"

#include <algorithm>
#include <cmath>

namespace editor {

namespace {

constexpr double kTurn = 6.283185307179586;

// Enough corners for a round look at the sizes of handles and markers.
int segmentsFor(double radius) {
  return std::clamp(static_cast<int>(radius * 1.5), 8, 48);
}

}  // namespace

void Shapes::triangle(double ax, double ay, double bx, double by, double cx, double cy,
                      platform::Color color) {
  vertices_.push_back({static_cast<float>(ax), static_cast<float>(ay), color});
  vertices_.push_back({static_cast<float>(bx), static_cast<float>(by), color});
  vertices_.push_back({static_cast<float>(cx), static_cast<float>(cy), color});
}

void Shapes::quad(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                  double dy, platform::Color color) {
  triangle(ax, ay, bx, by, cx, cy, color);
  triangle(ax, ay, cx, cy, dx, dy, color);
}

void Shapes::line(double x0, double y0, double x1, double y1, double width, platform::Color color) {
  const double length = std::hypot(x1 - x0, y1 - y0);
  if (length <= 0) return;
  const double nx = -(y1 - y0) / length * width * 0.5;
  const double ny = (x1 - x0) / length * width * 0.5;
  quad(x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny, color);
}

void Shapes::disc(double x, double y, double radius, platform::Color color) {
  const int n = segmentsFor(radius);
  for (int i = 0; i < n; ++i) {
    const double a = kTurn * i / n, b = kTurn * (i + 1) / n;
    triangle(x, y, x + radius * std::cos(a), y + radius * std::sin(a), x + radius * std::cos(b),
             y + radius * std::sin(b), color);
  }
}

void Shapes::ring(double x, double y, double radius, double width, platform::Color color) {
  const int n = segmentsFor(radius);
  const double inner = std::max(0.0, radius - width);
  for (int i = 0; i < n; ++i) {
    const double a = kTurn * i / n, b = kTurn * (i + 1) / n;
    quad(x + radius * std::cos(a), y + radius * std::sin(a), x + radius * std::cos(b),
         y + radius * std::sin(b), x + inner * std::cos(b), y + inner * std::sin(b),
         x + inner * std::cos(a), y + inner * std::sin(a), color);
  }
}

void Shapes::box(double left, double top, double right, double bottom, platform::Color color) {
  quad(left, top, right, top, right, bottom, left, bottom, color);
}

void Shapes::drawOn(platform::Graphics& graphics, double z) {
  if (vertices_.empty()) return;
  graphics.drawTriangles(std::move(vertices_), z);
  vertices_.clear();
}

}  // namespace editor
