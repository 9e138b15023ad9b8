#pragma once
#include <optional>
#include <string>
#include <vector>

#include "track/TrackData.h"

namespace physics {
class Car;
}  // namespace physics

namespace drivers {

// Sets a car's controls every frame. Computer drivers also plan their line in bounded pieces
// and adapt while they drive.
class Driver {
 public:
  Driver(physics::Car& car, const track::TrackData& track) : car_(car), track_(track) {}
  virtual ~Driver() = default;
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // A training sample: five inputs, then three targets.
  using Sample = std::vector<double>;

  // sample: null trains on the built-in table.
  virtual void train(int maxEpochs, const Sample* sample) = 0;
  // Writes the car's throttle, brake and steer for this frame. `cars` holds every car of the
  // race, this driver's own among them.
  virtual void drive(const std::vector<physics::Car*>& cars) = 0;
  virtual void learn() = 0;
  // One bounded piece of re-planning; true when the next driver may plan.
  virtual bool plan() = 0;
  // The race has put the car somewhere else (back on the road): what the driver knew of where
  // the car was no longer holds.
  virtual void carPutBack() {}

  physics::Car& car() const { return car_; }
  const track::TrackData& track() const { return track_; }

  // What the race's debug view shows; a driver without a line (the human) has none of it.
  virtual const std::vector<track::TrackPoint>* path() const { return nullptr; }  // map units
  virtual std::optional<track::TrackPoint> target1() const { return std::nullopt; }
  virtual std::optional<track::TrackPoint> target2() const { return std::nullopt; }
  virtual double speedWeight() const { return 0; }
  // The distance weight at the track point nearest to the car.
  virtual double distanceWeightHere() const { return 0; }
  virtual const std::wstring& debugText() const { return noText_; }

 private:
  physics::Car& car_;
  const track::TrackData& track_;
  std::wstring noText_;
};

}  // namespace drivers
