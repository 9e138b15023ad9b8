#include "race/DebugView.h"

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "common/GridLine.h"
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
  const std::vector<track::TrackPoint>* path = view.driver(view.camera().followedCar()).path();
  if (path == nullptr || path->empty()) return;
  platform::Bitmap& bitmap = *overlayBitmap_;
  auto plot = [&bitmap](int x, int y) {
    if (x >= 0 && y >= 0 && x < bitmap.width() && y < bitmap.height())
      bitmap.setPixel(x, y, kPathColor);
    return true;
  };
  // The line is a loop: each point joins the next and the last joins the first, so every
  // point is drawn as the end of the line that reaches it.
  for (std::size_t i = 0; i < path->size(); ++i) {
    const track::TrackPoint& from = (*path)[i];
    const track::TrackPoint& to = (*path)[(i + 1) % path->size()];
    common::walkGridLine(static_cast<int>(from.x), static_cast<int>(from.y), static_cast<int>(to.x),
                         static_cast<int>(to.y), plot);
  }
  overlayImage_ = std::make_unique<platform::Image>(graphics_, bitmap, false);
}

void DebugView::draw(const RaceView& view) const {
  const drivers::Driver& d = view.driver(view.camera().followedCar());
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
