#include "race/Camera.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace race {
namespace {

// Screen pixels of look-ahead per metre per second of speed, and the most of it, as a share of
// the screen's smaller side.
constexpr double kLeadPerSpeed = 5.0;
constexpr double kMostLead = 0.3;
// The share of the way to the wanted look-ahead covered each frame: it takes about half a
// second to swing round.
constexpr double kLeadFollow = 0.06;

}  // namespace

double cameraOffset(int screenSize, int backgroundSize, double lookAt, double zoom) {
  const double shown = backgroundSize * zoom;
  if (shown < screenSize) return std::floor((screenSize - shown) / 2);
  const double offset = screenSize / 2 - lookAt * zoom;
  return std::max(std::min(offset, 0.0), screenSize - shown);
}

void Camera::setScreenSize(int width, int height) {
  screenWidth_ = width;
  screenHeight_ = height;
}

void Camera::reset() {
  followedCar_ = 0;
  x_ = y_ = 0;
  leadX_ = leadY_ = 0;
}

void Camera::setZoom(double zoom) {
  if (zoom > 0 && std::isfinite(zoom)) zoom_ = zoom;
}

double Camera::zoomedIn(double zoom) {
  for (double level : kZoomLevels)
    if (level > zoom + 1e-9) return level;
  return kZoomLevels[std::size(kZoomLevels) - 1];
}

double Camera::zoomedOut(double zoom) {
  for (auto level = std::rbegin(kZoomLevels); level != std::rend(kZoomLevels); ++level)
    if (*level < zoom - 1e-9) return *level;
  return kZoomLevels[0];
}

void Camera::lead(double moveX, double moveY, double speed) {
  double wantX = 0, wantY = 0;
  const double moved = std::hypot(moveX, moveY);
  if (moved > 1e-9 && std::isfinite(moved) && std::isfinite(speed)) {
    // In screen pixels the look-ahead is the same at every zoom.
    const double most = kMostLead * std::min(screenWidth_, screenHeight_);
    const double pixels = std::min(std::abs(speed) * kLeadPerSpeed, most);
    wantX = moveX / moved * pixels / zoom_;
    wantY = moveY / moved * pixels / zoom_;
  }
  leadX_ += (wantX - leadX_) * kLeadFollow;
  leadY_ += (wantY - leadY_) * kLeadFollow;
}

void Camera::lookAt(double carX, double carY, int backgroundWidth, int backgroundHeight) {
  x_ = cameraOffset(screenWidth_, backgroundWidth, carX + leadX_, zoom_);
  y_ = cameraOffset(screenHeight_, backgroundHeight, carY + leadY_, zoom_);
}

}  // namespace race
