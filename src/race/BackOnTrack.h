#pragma once
#include <vector>

namespace physics {
class Car;
}

namespace race {

struct RoadPose;

// The rule that puts a stuck car back on the road. A car is in trouble while it stands still or
// is off the road; after a second of it the player may ask to be put back ("back on track"
// key), and a computer driver is put back by itself after five. Put back, a car stands at rest
// on the road where it left it, facing along the track, and its race time takes a penalty.
class BackOnTrack {
 public:
  static constexpr float kPenaltySeconds = 3.0f;
  static constexpr float kPlayerWaitSeconds = 1.0f;
  static constexpr float kComputerWaitSeconds = 5.0f;

  // framesPerSecond: 62 with 16 ms frames.
  BackOnTrack(int carCount, int framesPerSecond);

  // Once per racing frame, after the physics step; cars in index order.
  void observe(const std::vector<physics::Car*>& cars);
  // Seconds the car has been standing still or off the road without a break.
  float troubleSeconds(int car) const {
    return static_cast<float>(trouble_[static_cast<std::size_t>(car)]) / framesPerSecond_;
  }
  // Whether the player's car may be put back now.
  bool playerMay(int car) const {
    return trouble_[static_cast<std::size_t>(car)] >= kPlayerWaitSeconds * framesPerSecond_;
  }
  // Whether a computer driver's car is stuck for good and is put back.
  bool computerStuck(int car) const {
    return trouble_[static_cast<std::size_t>(car)] > kComputerWaitSeconds * framesPerSecond_;
  }
  // Stands the car at rest at `pose`; its trouble is over.
  void putBack(int car, physics::Car& c, const RoadPose& pose);
  // How many times the car has been put back.
  int count(int car) const { return count_[static_cast<std::size_t>(car)]; }

 private:
  int framesPerSecond_;
  std::vector<int> trouble_;  // frames
  std::vector<int> count_;
};

}  // namespace race
