#pragma once
#include "drivers/Driver.h"

namespace platform {
class Input;
}

namespace drivers {

// The player's driver: reads the arrow keys and the gamepad every frame and sets the car's
// controls all-or-nothing. Keeps no state between frames.
class HumanDriver : public Driver {
 public:
  // The input must outlive the driver (the window owns it).
  HumanDriver(physics::Car& car, const track::TrackData& track, const platform::Input& input);

  void train(int maxEpochs, const Sample* sample) override;
  // Left wins over right, throttle over brake; the gamepad has no brake.
  void drive(const std::vector<physics::Car*>& cars) override;
  void learn() override;
  bool plan() override;

 private:
  const platform::Input& input_;
};

}  // namespace drivers
