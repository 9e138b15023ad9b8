#include "drivers/HumanDriver.h"

#include "physics/Car.h"
#include "platform/Buttons.h"
#include "platform/Input.h"

namespace drivers {

namespace button = platform::button;

HumanDriver::HumanDriver(physics::Car& car, const track::TrackData& track,
                         const platform::Input& input)
    : Driver(car, track), input_(input) {}

void HumanDriver::train(int, const Sample*) {}

void HumanDriver::drive(const std::vector<physics::Car*>&) {
  physics::Car& controlled = car();

  const bool left = input_.down(button::kLeft) || input_.down(button::kGamepadLeft);
  const bool right = input_.down(button::kRight) || input_.down(button::kGamepadRight);
  controlled.steer = left ? -1.0 : (right ? 1.0 : 0.0);

  const bool accelerate = input_.down(button::kUp) || input_.down(button::kGamepadButton0);
  const bool slowDown = input_.down(button::kDown);
  controlled.throttle = accelerate ? 1.0 : 0.0;
  controlled.brake = !accelerate && slowDown ? 1.0 : 0.0;
}

void HumanDriver::learn() {}

bool HumanDriver::plan() {
  return true;
}

}  // namespace drivers
