#pragma once
#include "drivers/Driver.h"

// What a new player does: full throttle all the way, steering straight at the track's next
// path point. The computer drivers that race must not lose to it.
class NaiveDriver : public Driver {
 public:
  NaiveDriver(Car& car, const TrackData& track) : Driver(car, track) {}

  void train(int, const Sample*) override {}
  void drive(const std::vector<Car*>& cars) override;
  void learn() override {}
  bool plan() override { return true; }
};
