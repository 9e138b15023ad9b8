#include "ReferenceDriver.h"

#include <algorithm>
#include <cmath>

#include "common/Angle.h"
#include "drivers/LineShape.h"
#include "physics/Car.h"

namespace {

constexpr double kMetresPerWorldUnit = 0.1;
constexpr double kSpacing = 1.0;       // metres between line nodes
constexpr int kCurvatureReach = 4;     // nodes either side
constexpr double kTopSpeed = 42.0;     // m/s, where drag eats the whole engine
constexpr double kWheelBase = 2.0;     // metres
constexpr double kMinLookAhead = 3.0;  // metres
constexpr double kSpeedLead = 0.15;    // seconds: the speed asked for is the one just ahead

}  // namespace

ReferenceDriver::ReferenceDriver(physics::Car& car, const track::TrackData& track,
                                 const ReferenceSettings& settings)
    : drivers::Driver(car, track), settings_(settings) {
  std::vector<track::TrackPoint> centre;
  for (std::size_t i = 0; i < track.pointCount(); ++i) {
    track::TrackPoint p = track.copyPoint(i);
    p.x *= kMetresPerWorldUnit;
    p.y *= kMetresPerWorldUnit;
    centre.push_back(p);
  }
  line_ = drivers::driving::resampleLine(centre, kSpacing, true);
  speeds_ = drivers::driving::speedProfile(drivers::driving::loopCurvature(line_, kCurvatureReach),
                                           drivers::driving::loopSteps(line_), settings.lateralGrip,
                                           0, settings.braking, kTopSpeed);
}

std::size_t ReferenceDriver::followCar(double x, double y) {
  const std::size_t count = line_.size();
  const auto distanceTo = [&](std::size_t i) { return std::hypot(line_[i].x - x, line_[i].y - y); };
  std::size_t best = cursor_;
  if (!placed_) {
    for (std::size_t i = 0; i < count; ++i)
      if (distanceTo(i) < distanceTo(best)) best = i;
    placed_ = true;
  } else {
    for (std::size_t k = 0; k < 80; ++k) {
      const std::size_t i = (cursor_ + count - 20 + k) % count;
      if (distanceTo(i) < distanceTo(best)) best = i;
    }
  }
  cursor_ = best;
  return best;
}

void ReferenceDriver::drive(const std::vector<physics::Car*>&) {
  physics::Car& self = car();
  if (line_.size() < 3) return;
  const double x = self.getX() * kMetresPerWorldUnit;
  const double y = self.getY() * kMetresPerWorldUnit;
  const std::size_t here = followCar(x, y);
  const std::size_t count = line_.size();

  const double lookAhead = std::max(kMinLookAhead, settings_.lookAheadTime * self.speed);
  const track::TrackPoint& target =
      line_[(here + static_cast<std::size_t>(lookAhead / kSpacing)) % count];
  const double heading = -self.getAngle();
  const double facing = std::atan2(std::cos(heading), std::sin(heading));
  const double bearing =
      common::wrapAngle(std::atan2(target.y - y, target.x - x) - facing, -common::kPi);
  const double reach = std::max(std::hypot(target.x - x, target.y - y), 0.5);
  self.steer = std::clamp(std::atan(2 * kWheelBase * std::sin(bearing) / reach), -1.0, 1.0);

  const std::size_t lead = static_cast<std::size_t>(self.speed * kSpeedLead / kSpacing);
  const double wanted = speeds_[(here + lead) % count];
  const double excess = self.speed - wanted;
  if (excess < 0) {
    self.throttle = std::clamp(-excess, 0.2, 1.0);
    self.brake = 0;
  } else {
    self.throttle = 0;
    self.brake = std::clamp(excess / 2, 0.0, 1.0);
  }
}
