#include "NaiveDriver.h"

#include <algorithm>
#include <cmath>

#include "physics/Car.h"

namespace {

// The wheels turn twice as far as the point lies off the car's nose: a quick player's hands.
constexpr double kSteeringPerBearing = 2.0;

}  // namespace

void NaiveDriver::drive(const std::vector<Car*>&) {
  Car& self = car();
  const TrackData& road = track();
  if (road.pointCount() == 0) return;
  const std::size_t nearest = road.nearestPointIndex({self.getX() * 0.25, self.getY() * 0.25});
  const TrackPoint next = road.copyPoint((nearest + 1) % road.pointCount());
  const double heading = -self.getAngle();
  const double facing = std::atan2(std::cos(heading), std::sin(heading));
  const double bearing =
      std::remainder(std::atan2(next.y - self.getY(), next.x - self.getX()) - facing, 2 * M_PI);
  self.steer = std::clamp(kSteeringPerBearing * bearing, -1.0, 1.0);
  self.throttle = 1;
  self.brake = 0;
}
