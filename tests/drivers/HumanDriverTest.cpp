#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "drivers/Controls.h"
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
      {{button::kGamepadButton0 + 1}, 0, 1, 0},               // the pad's B brakes
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

TEST(HumanDriver, ThePlayersOwnKeysDriveAndSmoothSteeringTurnsTheWheelGradually) {
  track::TrackData track;
  physics::CarPhysics car(track);
  platform::Input input;
  drivers::Controls controls = drivers::Controls::defaults();
  constexpr int kKeyW = 17, kKeyA = 30;
  controls.assign(drivers::Action::Throttle, drivers::Device::Keyboard, kKeyW);
  controls.assign(drivers::Action::Left, drivers::Device::Keyboard, kKeyA);
  controls.setSteering(drivers::Steering::Smooth);
  drivers::HumanDriver driver(car, track, input, controls);

  input.setDown(button::kUp, true);  // no longer the throttle
  driver.drive({&car});
  EXPECT_EQ(car.throttle, 0);
  input.setDown(kKeyW, true);
  input.setDown(kKeyA, true);
  car.speed = 0;
  // About 0.15 s (nine or ten frames) from straight to full lock, one even step at a time.
  std::vector<double> steps;
  for (int frame = 0; frame < 12; ++frame) {
    driver.drive({&car});
    steps.push_back(car.steer);
  }
  EXPECT_EQ(car.throttle, 1);
  EXPECT_NEAR(steps[0], -1.0 / 9.3, 1e-9);
  EXPECT_GT(steps[7], -1.0);
  EXPECT_EQ(steps[10], -1.0);
  // Letting go centres the wheel the same way; at speed the lock is smaller.
  input.setDown(kKeyA, false);
  driver.drive({&car});
  EXPECT_NEAR(car.steer, -1.0 + 1.0 / 9.3, 1e-9);
  EXPECT_EQ(drivers::HumanDriver::smoothLock(5), 1.0);
  EXPECT_NEAR(drivers::HumanDriver::smoothLock(24), 0.675, 1e-9);
  EXPECT_EQ(drivers::HumanDriver::smoothLock(60), 0.35);
  input.setDown(kKeyA, true);
  car.speed = 60;
  for (int frame = 0; frame < 12; ++frame) driver.drive({&car});
  EXPECT_DOUBLE_EQ(car.steer, -0.35);
}

}  // namespace
