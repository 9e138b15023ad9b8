#pragma once
#include "drivers/Driver.h"

// What a new player does: full throttle all the way, steering straight at the track's next
// path point. The computer drivers that race must not lose to it.
class NaiveDriver : public drivers::Driver {
 public:
  NaiveDriver(physics::Car& car, const track::TrackData& track) : drivers::Driver(car, track) {}

  void train(int, const Sample*) override {}
  void drive(const std::vector<physics::Car*>& cars) override;
  void learn() override {}
  bool plan() override { return true; }
};
