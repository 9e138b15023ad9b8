#include "race/Camera.h"

#include <algorithm>

namespace race {

double cameraOffset(int screenSize, int backgroundSize, double carPosition) {
  if (backgroundSize < screenSize) return static_cast<double>((screenSize - backgroundSize) / 2);
  const double offset = screenSize / 2 - carPosition;
  return std::max(std::min(offset, 0.0), static_cast<double>(screenSize - backgroundSize));
}

void Camera::setScreenSize(int width, int height) {
  screenWidth_ = width;
  screenHeight_ = height;
}

void Camera::reset() {
  followedCar_ = 0;
  x_ = y_ = 0;
}

void Camera::lookAt(double carX, double carY, int backgroundWidth, int backgroundHeight) {
  x_ = cameraOffset(screenWidth_, backgroundWidth, carX);
  y_ = cameraOffset(screenHeight_, backgroundHeight, carY);
}

}  // namespace race
