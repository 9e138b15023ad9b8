// Paints the application icon: a racing-orange circuit with a car on its home straight, on a
// dark slate tile. Drawn from shapes at every size rather than scaled down, so the small icons
// stay sharp.
//
//   kelvane_icon [FOLDER]   writes kelvane-48.png, -64, -128 and -256 (packaging/icons/ by default)
#include <cmath>
#include <exception>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "Canvas.h"

namespace {

using skin::Canvas;
using skin::hex;
using skin::Point;
using skin::Rgba;
using skin::Segment;
using skin::solid;

constexpr int kSizes[] = {48, 64, 128, 256};
constexpr float kPi = std::numbers::pi_v<float>;

// The circuit's centre line on the 256-pixel design: a squared-off oval (a superellipse), so it
// has a long bottom straight for the car and the finish line.
std::vector<Segment> circuit(float scale) {
  constexpr int kSteps = 120;
  constexpr float kCenterX = 128, kCenterY = 126, kRadiusX = 86, kRadiusY = 70, kPower = 3.2f;
  std::vector<Point> points;
  for (int i = 0; i < kSteps; ++i) {
    const float t = 2 * kPi * i / kSteps;
    const float c = std::cos(t), s = std::sin(t);
    const float x = kCenterX + kRadiusX * std::copysign(std::pow(std::abs(c), 2 / kPower), c);
    const float y = kCenterY + kRadiusY * std::copysign(std::pow(std::abs(s), 2 / kPower), s);
    points.push_back({x * scale, y * scale});
  }
  std::vector<Segment> segments;
  for (int i = 0; i < kSteps; ++i) segments.push_back({points[i], points[(i + 1) % kSteps]});
  return segments;
}

Canvas paintIcon(int size) {
  const float s = size / 256.0f;
  Canvas canvas(size, size);
  // The tile: slate, a little lighter at the top, with a dark rim.
  canvas.fillRoundRect(8 * s, 8 * s, 248 * s, 248 * s, 46 * s,
                       skin::verticalGradient(8 * s, hex(0x3e4857), 248 * s, hex(0x1b2028)));
  canvas.strokeRoundRect(8 * s, 8 * s, 248 * s, 248 * s, 46 * s, std::max(1.0f, 3 * s),
                         solid(hex(0x0d1015, 0.8f)));

  // The circuit: orange kerbs, dark asphalt, a faint centre line.
  const std::vector<Segment> road = circuit(s);
  canvas.strokeSegments(road, 27 * s, solid(hex(0xff7a1a)));
  canvas.strokeSegments(road, 20 * s, solid(hex(0x151a21)));
  if (size >= 128) canvas.strokeSegments(road, 1.2f * s, solid(hex(0x55626f, 0.7f)));

  // The finish line across the bottom straight (y = 196 on the design): two rows of squares.
  const float top = 176 * s, bottom = 216 * s;
  const int rows = size >= 128 ? 6 : 4;
  const float cell = (bottom - top) / rows;
  const float left = 92 * s;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < 2; ++column) {
      const Rgba colour = (row + column) % 2 == 0 ? hex(0xffffff) : hex(0x0d1015);
      canvas.fillRoundRect(left + column * cell, top + row * cell, left + (column + 1) * cell,
                           top + (row + 1) * cell, 0, solid(colour));
    }
  }

  // The car, heading right along the straight: orange body, dark cockpit, white stripe.
  const float carX0 = 134 * s, carX1 = 186 * s, carY0 = 184 * s, carY1 = 208 * s;
  canvas.fillRoundRect(carX0 + 3 * s, carY0 + 4 * s, carX1 + 3 * s, carY1 + 4 * s, 8 * s,
                       solid(hex(0x000000, 0.45f)));  // shadow
  canvas.fillRoundRect(carX0, carY0, carX1, carY1, 8 * s,
                       skin::verticalGradient(carY0, hex(0xffa14d), carY1, hex(0xc4520a)));
  canvas.fillRoundRect(carX0 + 24 * s, carY0 + 4 * s, carX0 + 36 * s, carY1 - 4 * s, 3 * s,
                       solid(hex(0x1b2028)));
  canvas.fillRoundRect(carX0 + 4 * s, carY0 + 10 * s, carX0 + 22 * s, carY1 - 10 * s, 1 * s,
                       solid(hex(0xffffff, 0.9f)));
  return canvas;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : KELVANE_ICON_DEFAULT_FOLDER;
  try {
    for (int size : kSizes) {
      const std::string path = folder + "kelvane-" + std::to_string(size) + ".png";
      paintIcon(size).toBitmap().savePng(path);
      std::cout << "wrote " << path << '\n';
    }
  } catch (const std::exception& error) {
    std::cerr << "kelvane_icon: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
