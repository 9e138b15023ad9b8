#include "race/BackOnTrack.h"

#include "physics/Car.h"
#include "race/LapPath.h"
#include "track/SurfaceMap.h"

namespace race {
namespace {

// Slower than this (metres per second) a car counts as standing still.
constexpr double kStandingSpeed = 0.5;

}  // namespace

BackOnTrack::BackOnTrack(int carCount, int framesPerSecond)
    : framesPerSecond_(framesPerSecond < 1 ? 1 : framesPerSecond),
      trouble_(static_cast<std::size_t>(carCount), 0),
      count_(static_cast<std::size_t>(carCount), 0) {}

void BackOnTrack::observe(const std::vector<physics::Car*>& cars) {
  for (std::size_t c = 0; c < trouble_.size() && c < cars.size(); ++c) {
    const physics::Car& car = *cars[c];
    const bool inTrouble =
        car.speed < kStandingSpeed || car.getSurface() != track::SurfaceMap::kRoad;
    trouble_[c] = inTrouble ? trouble_[c] + 1 : 0;
  }
}

void BackOnTrack::putBack(int car, physics::Car& c, const RoadPose& pose) {
  c.stopAt(pose.x, pose.y, pose.heading);
  trouble_[static_cast<std::size_t>(car)] = 0;
  ++count_[static_cast<std::size_t>(car)];
}

}  // namespace race
