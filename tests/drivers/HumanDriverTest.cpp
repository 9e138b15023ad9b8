#include <gtest/gtest.h>

#include <initializer_list>

#include "config/Options.h"
#include "drivers/HumanDriver.h"
#include "physics/CarPhysics.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"
#include "track/TrackData.h"

namespace {

namespace button = platform::button;

struct Controls {
  double throttle, brake, steer;
};

class HumanDriverKeys : public ::testing::Test {
 protected:
  // The controls the driver writes with exactly these buttons held.
  Controls driveWith(std::initializer_list<int> held) {
    input_.releaseAll();
    for (int id : held) input_.setDown(id, true);
    car_.throttle = car_.brake = car_.steer = 0.5;  // stale values must be overwritten
    driver_.drive({&car_});
    return {car_.throttle, car_.brake, car_.steer};
  }

  TrackData track_;
  CarPhysics car_{track_};
  platform::Input input_;
  HumanDriver driver_{car_, track_, input_};
};

TEST_F(HumanDriverKeys, SteeringLeftWinsOverRight) {
  EXPECT_EQ(driveWith({}).steer, 0);
  EXPECT_EQ(driveWith({button::kLeft}).steer, -1);
  EXPECT_EQ(driveWith({button::kRight}).steer, 1);
  EXPECT_EQ(driveWith({button::kLeft, button::kRight}).steer, -1);
  EXPECT_EQ(driveWith({button::kGamepadLeft}).steer, -1);
  EXPECT_EQ(driveWith({button::kGamepadRight}).steer, 1);
  EXPECT_EQ(driveWith({button::kGamepadLeft, button::kRight}).steer, -1);
  // The stick's vertical directions do not steer.
  EXPECT_EQ(driveWith({button::kGamepadUp, button::kGamepadDown}).steer, 0);
}

TEST_F(HumanDriverKeys, ThrottleWinsOverBrake) {
  const Controls none = driveWith({});
  EXPECT_EQ(none.throttle, 0);
  EXPECT_EQ(none.brake, 0);

  const Controls up = driveWith({button::kUp});
  EXPECT_EQ(up.throttle, 1);
  EXPECT_EQ(up.brake, 0);

  const Controls down = driveWith({button::kDown});
  EXPECT_EQ(down.throttle, 0);
  EXPECT_EQ(down.brake, 1);

  const Controls both = driveWith({button::kUp, button::kDown});
  EXPECT_EQ(both.throttle, 1);
  EXPECT_EQ(both.brake, 0);

  const Controls padThrottle = driveWith({button::kGamepadButton0, button::kDown});
  EXPECT_EQ(padThrottle.throttle, 1);
  EXPECT_EQ(padThrottle.brake, 0);

  // The gamepad has no brake.
  const Controls padDown = driveWith({button::kGamepadDown});
  EXPECT_EQ(padDown.throttle, 0);
  EXPECT_EQ(padDown.brake, 0);
}

TEST_F(HumanDriverKeys, ControlsReachTheCarAsPercentAfterItsStep) {
  // The step reads the surface options: keep them away from the real "options.ini".
  testsupport::TempDir folder;
  const std::string previousFolder = platform::programFolder();
  Options::destroy(false);
  platform::setProgramFolder(folder.folder());

  EXPECT_TRUE(driver_.plan());
  car_.initModel();
  driveWith({button::kUp, button::kRight});
  car_.update(0.01f);
  EXPECT_EQ(car_.throttle, 100);
  EXPECT_EQ(car_.getSteer(), 1);
  driveWith({});
  EXPECT_EQ(car_.throttle, 0);
  EXPECT_EQ(car_.steer, 0);

  Options::destroy(false);
  platform::setProgramFolder(previousFolder);
}

}  // namespace
