#include "physics/StartPosition.h"

#include <cmath>

#include "common/Angle.h"
#include "physics/Car.h"
#include "track/TrackData.h"

namespace physics {

StartPose startPose(const track::TrackPoint& position, double length) {
  const double half = length * 0.5;
  return {position.x - std::cos(position.rotation) * half,
          position.y + std::sin(position.rotation) * half, position.rotation + common::kHalfPi};
}

ContactRectangle startFootprint(const track::TrackPoint& position) {
  const double length = Car::kStandardLengthMetres * Car::kWorldUnitsPerMetre;
  const double width = Car::kStandardWidthMetres * Car::kWorldUnitsPerMetre;
  const StartPose pose = startPose(position, length);
  // A car's angle for the contact test is its negated heading.
  return {pose.x, pose.y, width / 2, length / 2, -pose.heading};
}

void placeOnStartPosition(Car& car, const track::TrackPoint& position) {
  const StartPose pose = startPose(position, car.getLength());
  car.setPosition(static_cast<float>(pose.x), static_cast<float>(pose.y), pose.heading);
}

}  // namespace physics
