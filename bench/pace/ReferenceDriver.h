#pragma once
#include <cstddef>
#include <vector>

#include "drivers/Driver.h"

// The yardstick the computer drivers are measured against, no part of the game: pure pursuit
// of the road's centre line with a speed profile from the bend radius and the car's braking.
struct ReferenceSettings {
  double lookAheadTime = 0.25;  // seconds at the car's speed to the pursued point, 0.1..0.5
  double lateralGrip = 10;      // m/s² taken in bends, 5..20
  double braking = 10;          // m/s² planned for braking, 5..15
};

class ReferenceDriver : public drivers::Driver {
 public:
  ReferenceDriver(physics::Car& car, const track::TrackData& track,
                  const ReferenceSettings& settings);

  void train(int, const Sample*) override {}
  void drive(const std::vector<physics::Car*>& cars) override;
  void learn() override {}
  bool plan() override { return true; }

 private:
  // The line node nearest to the car, searched a little back and further ahead of the last.
  std::size_t followCar(double x, double y);

  ReferenceSettings settings_;
  std::vector<track::TrackPoint> line_;  // metres, one node a metre
  std::vector<double> speeds_;           // m/s at each node
  std::size_t cursor_ = 0;
  bool placed_ = false;
};
