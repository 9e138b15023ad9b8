#pragma once
#include "drivers/Controls.h"
#include "drivers/Driver.h"

namespace platform {
class Input;
}

namespace drivers {

// The player's driver: reads the player's keys and pad buttons every frame and sets the car's
// controls. Throttle and brake are all-or-nothing; steering is all-or-nothing too ("direct"),
// or turns over about 0.15 s with less lock at speed ("smooth", see Controls).
class HumanDriver : public Driver {
 public:
  // The race runs 62 frames a simulated second.
  static constexpr int kFramesPerSecond = 62;
  // Smooth steering: seconds from straight to full lock.
  static constexpr double kSteerSeconds = 0.15;

  // The input must outlive the driver (the window owns it).
  HumanDriver(physics::Car& car, const track::TrackData& track, const platform::Input& input,
              Controls controls = Controls::defaults());

  void train(int maxEpochs, const Sample* sample) override;
  // Left wins over right, throttle over brake.
  void drive(const std::vector<physics::Car*>& cars) override;
  void learn() override;
  bool plan() override;

  // Smooth steering's full lock at `speed` (m/s): 1 up to 8 m/s, then less, down to 0.35
  // from 40 m/s on, where a full lock would spin the car.
  static double smoothLock(double speed);

 private:
  double steerTowards(double wanted);

  const platform::Input& input_;
  Controls controls_;
  double steer_ = 0;  // smooth steering's wheel position, -1..1
};

}  // namespace drivers
