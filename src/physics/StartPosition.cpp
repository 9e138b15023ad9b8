#include "physics/StartPosition.h"

#include <cmath>

#include "common/Angle.h"
#include "physics/Car.h"
#include "track/TrackData.h"

namespace physics {

void placeOnStartPosition(Car& car, const track::TrackPoint& position) {
  const double half = car.getLength() * 0.5;
  car.setPosition(static_cast<float>(position.x - std::cos(position.rotation) * half),
                  static_cast<float>(position.y + std::sin(position.rotation) * half),
                  position.rotation + common::kHalfPi);
}

}  // namespace physics
