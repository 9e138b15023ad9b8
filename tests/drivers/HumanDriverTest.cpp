#include <gtest/gtest.h>

#include <initializer_list>

#include "drivers/HumanDriver.h"
#include "physics/CarPhysics.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "track/TrackData.h"

namespace {

namespace button = platform::button;

struct Held {
  std::initializer_list<int> buttons;
  double throttle, brake, steer;
};

TEST(HumanDriver, LeftWinsOverRightAndThrottleOverBrake) {
  track::TrackData track;
  physics::CarPhysics car(track);
  platform::Input input;
  drivers::HumanDriver driver(car, track, input);
  const Held cases[] = {
      {{}, 0, 0, 0},
      {{button::kLeft}, 0, 0, -1},
      {{button::kRight}, 0, 0, 1},
      {{button::kLeft, button::kRight}, 0, 0, -1},
      {{button::kGamepadLeft, button::kRight}, 0, 0, -1},
      {{button::kGamepadRight}, 0, 0, 1},
      {{button::kGamepadUp, button::kGamepadDown}, 0, 0, 0},  // no steering, no brake
      {{button::kUp}, 1, 0, 0},
      {{button::kDown}, 0, 1, 0},
      {{button::kUp, button::kDown}, 1, 0, 0},
      {{button::kGamepadButton0, button::kDown, button::kRight}, 1, 0, 1},
  };
  for (const Held& c : cases) {
    input.releaseAll();
    for (int id : c.buttons) input.setDown(id, true);
    car.throttle = car.brake = car.steer = 55;  // what a step left must be overwritten
    driver.drive({&car});
    EXPECT_EQ(car.throttle, c.throttle) << "case " << &c - cases;
    EXPECT_EQ(car.brake, c.brake) << "case " << &c - cases;
    EXPECT_EQ(car.steer, c.steer) << "case " << &c - cases;
  }
  EXPECT_TRUE(driver.plan());
}

}  // namespace
