#include "NaiveDriver.h"

#include <algorithm>
#include <cmath>

#include "common/Angle.h"
#include "physics/Car.h"

namespace {

// The wheels turn twice as far as the point lies off the car's nose: a quick player's hands.
constexpr double kSteeringPerBearing = 2.0;

}  // namespace

void NaiveDriver::drive(const std::vector<physics::Car*>&) {
  physics::Car& self = car();
  const track::TrackData& road = track();
  if (road.pointCount() == 0) return;
  const std::size_t nearest = road.nearestPointIndex({self.getX() * 0.25, self.getY() * 0.25});
  const track::TrackPoint next = road.copyPoint((nearest + 1) % road.pointCount());
  const double heading = -self.getAngle();
  const double facing = std::atan2(std::cos(heading), std::sin(heading));
  const double bearing = common::wrapAngle(
      std::atan2(next.y - self.getY(), next.x - self.getX()) - facing, -common::kPi);
  self.steer = std::clamp(kSteeringPerBearing * bearing, -1.0, 1.0);
  self.throttle = 1;
  self.brake = 0;
}
