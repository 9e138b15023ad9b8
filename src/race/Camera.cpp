#include "race/Camera.h"

#include <algorithm>

namespace race {

double cameraOffset(int screenSize, int backgroundSize, double carPosition) {
  if (backgroundSize < screenSize) return static_cast<double>((screenSize - backgroundSize) / 2);
  const double offset = screenSize / 2 - carPosition;
  return std::max(std::min(offset, 0.0), static_cast<double>(screenSize - backgroundSize));
}

}  // namespace race
