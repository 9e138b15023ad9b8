#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "race/RaceCar.h"

namespace physics {
class Car;
}
namespace drivers {
class Driver;
}

namespace platform {
class Image;
}

namespace race {

class Camera;
class LapTable;
class Standings;

// What the race's overlays (the HUD, the debug view, the minimap, and whatever joins them) read
// of a running race: the cars and their drivers, the lap table, the live standings, the camera,
// the background and the countdown, all as const. It refers into the race, so the race builds one
// whenever an overlay needs it and nobody keeps it.
class RaceView {
 public:
  RaceView(const std::vector<RaceCar>& cars,
           const std::vector<std::unique_ptr<drivers::Driver>>& drivers, const LapTable& laps,
           const Standings& standings, const Camera& camera, const platform::Image& background,
           int countdownFrames, std::optional<double> recordLap = std::nullopt)
      : cars_(cars),
        drivers_(drivers),
        laps_(laps),
        standings_(standings),
        camera_(camera),
        background_(background),
        countdownFrames_(countdownFrames),
        recordLap_(recordLap) {}

  int carCount() const { return static_cast<int>(cars_.size()); }
  const RaceCar& raceCar(int i) const { return cars_[static_cast<std::size_t>(i)]; }
  const physics::Car& car(int i) const { return *cars_[static_cast<std::size_t>(i)].car; }
  const drivers::Driver& driver(int i) const { return *drivers_[static_cast<std::size_t>(i)]; }
  const LapTable& laps() const { return laps_; }
  const Standings& standings() const { return standings_; }
  const Camera& camera() const { return camera_; }
  const platform::Image& background() const { return background_; }
  // Frames left before the start: three seconds' worth when the race is set up, 0 in the last
  // frame of the countdown, negative while racing (-1 is the first racing frame).
  int countdownFrames() const { return countdownFrames_; }
  // The track's lap record as the race began (seconds), when the player has one to beat.
  std::optional<double> recordLap() const { return recordLap_; }

 private:
  const std::vector<RaceCar>& cars_;
  const std::vector<std::unique_ptr<drivers::Driver>>& drivers_;
  const LapTable& laps_;
  const Standings& standings_;
  const Camera& camera_;
  const platform::Image& background_;
  int countdownFrames_;
  std::optional<double> recordLap_;
};

}  // namespace race
