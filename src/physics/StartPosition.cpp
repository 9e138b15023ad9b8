#include "physics/StartPosition.h"

#include <cmath>

#include "physics/Car.h"
#include "track/TrackData.h"

StartPose startPose(const TrackPoint& position, double length) {
  constexpr double kQuarterTurn = 1.57079632675;
  const double half = length * 0.5;
  return {position.x - std::cos(position.rotation) * half,
          position.y + std::sin(position.rotation) * half, position.rotation + kQuarterTurn};
}

ContactRectangle startFootprint(const TrackPoint& position) {
  const double length = Car::kStandardLengthMetres * Car::kWorldUnitsPerMetre;
  const double width = Car::kStandardWidthMetres * Car::kWorldUnitsPerMetre;
  const StartPose pose = startPose(position, length);
  // A car's angle for the contact test is its negated heading.
  return {pose.x, pose.y, width / 2, length / 2, -pose.heading};
}

void placeOnStartPosition(Car& car, const TrackPoint& position) {
  const StartPose pose = startPose(position, car.getLength());
  car.setPosition(static_cast<float>(pose.x), static_cast<float>(pose.y), pose.heading);
}
