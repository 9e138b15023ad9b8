#include "drivers/HumanDriver.h"

#include <algorithm>
#include <cmath>

#include "physics/Car.h"
#include "platform/Input.h"

namespace drivers {
namespace {

constexpr double kFullLockUpTo = 8.0;    // m/s
constexpr double kLeastLockFrom = 40.0;  // m/s
constexpr double kLeastLock = 0.35;

}  // namespace

HumanDriver::HumanDriver(physics::Car& car, const track::TrackData& track,
                         const platform::Input& input, Controls controls)
    : Driver(car, track), input_(input), controls_(controls) {}

void HumanDriver::train(int, const Sample*) {}

double HumanDriver::smoothLock(double speed) {
  const double share = (std::abs(speed) - kFullLockUpTo) / (kLeastLockFrom - kFullLockUpTo);
  return 1.0 - (1.0 - kLeastLock) * std::clamp(share, 0.0, 1.0);
}

double HumanDriver::steerTowards(double wanted) {
  const double step = 1.0 / (kSteerSeconds * kFramesPerSecond);
  steer_ = wanted > steer_ ? std::min(wanted, steer_ + step) : std::max(wanted, steer_ - step);
  return steer_;
}

void HumanDriver::drive(const std::vector<physics::Car*>&) {
  physics::Car& controlled = car();

  const bool left = controls_.held(input_, Action::Left);
  const bool right = controls_.held(input_, Action::Right);
  const double wanted = left ? -1.0 : (right ? 1.0 : 0.0);
  if (controls_.steering() == Steering::Smooth) {
    controlled.steer = steerTowards(wanted) * smoothLock(controlled.speed);
  } else {
    controlled.steer = wanted;
  }

  const bool accelerate = controls_.held(input_, Action::Throttle);
  const bool slowDown = controls_.held(input_, Action::Brake);
  controlled.throttle = accelerate ? 1.0 : 0.0;
  controlled.brake = !accelerate && slowDown ? 1.0 : 0.0;
}

void HumanDriver::learn() {}

bool HumanDriver::plan() {
  return true;
}

}  // namespace drivers
