#include "race/DebugView.h"

#include <cmath>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "drivers/Driver.h"
#include "platform/Bitmap.h"
#include "platform/Image.h"
#include "race/Camera.h"
#include "race/HudText.h"
#include "race/RaceView.h"

namespace race {
namespace {

constexpr platform::Color kPathColor = 0x50ff0000u;
constexpr int kMapCell = 4;  // world units per overlay pixel

// Plots a line from (x0, y0) to (x1, y1) without the start pixel, inside the bitmap only.
void plotLine(platform::Bitmap& bitmap, int x0, int y0, int x1, int y1, platform::Color color) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  while (x0 != x1 || y0 != y1) {
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
    if (x0 >= 0 && y0 >= 0 && x0 < bitmap.width() && y0 < bitmap.height())
      bitmap.setPixel(x0, y0, color);
  }
}

// General notation with 16 significant digits ("0.5", "213.25").
std::wstring numberText(double value) {
  std::wostringstream text;
  text << std::setprecision(16) << value;
  return text.str();
}

}  // namespace

DebugView::DebugView(platform::Graphics& graphics, int updateInterval)
    : graphics_(graphics),
      framesPerSecond_(1000 / updateInterval),
      cycleFrames_(1500 / updateInterval) {}

DebugView::~DebugView() = default;

void DebugView::reset() {
  frame_ = 0;
  overlayBitmap_.reset();
  overlayImage_.reset();
}

void DebugView::update(const RaceView& view) {
  if (frame_ % framesPerSecond_ == 0) redrawOverlay(view);
  frame_ = (frame_ + 1) % cycleFrames_;
}

void DebugView::redrawOverlay(const RaceView& view) {
  const platform::Image& background = view.background();
  overlayBitmap_ = std::make_unique<platform::Bitmap>(background.width() / kMapCell,
                                                      background.height() / kMapCell);
  const std::vector<TrackPoint>* path = view.driver(view.camera().followedCar()).path();
  if (path == nullptr || path->empty()) return;
  platform::Bitmap& bitmap = *overlayBitmap_;
  auto plot = [&bitmap](int x, int y) {
    if (x >= 0 && y >= 0 && x < bitmap.width() && y < bitmap.height())
      bitmap.setPixel(x, y, kPathColor);
  };
  int previousX = 0, previousY = 0;
  for (std::size_t i = 0; i < path->size(); ++i) {
    const int x = static_cast<int>((*path)[i].x), y = static_cast<int>((*path)[i].y);
    plot(x, y);
    if (i > 0) plotLine(bitmap, previousX, previousY, x, y, kPathColor);
    previousX = x;
    previousY = y;
  }
  plotLine(bitmap, previousX, previousY, static_cast<int>(path->front().x),
           static_cast<int>(path->front().y), kPathColor);
  overlayImage_ = std::make_unique<platform::Image>(graphics_, bitmap, false);
}

void DebugView::draw(const RaceView& view) const {
  const Driver& d = view.driver(view.camera().followedCar());
  const Camera& camera = view.camera();
  // Below the HUD's panel.
  drawHudText(L"DistWeight:", 20, 190);
  drawHudText(numberText(d.distanceWeightHere()), 160, 190);
  drawHudText(L"SpeedWeight:", 20, 215);
  drawHudText(numberText(d.speedWeight()), 160, 215);
  for (const auto& target : {d.target1(), d.target2()})
    if (target)
      drawHudText(L"X", camera.screenX(target->x * kMapCell), camera.screenY(target->y * kMapCell),
                  4);
  if (overlayImage_) {
    const double scale = kMapCell * camera.zoom();
    overlayImage_->draw(camera.x(), camera.y(), 5, scale, scale);
  }
}

}  // namespace race
