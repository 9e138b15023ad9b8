#pragma once
#include <vector>

namespace physics {

class Car;

// Moves the race's cars: once per frame it pushes apart every pair of cars in contact and then
// advances every car by one fixed step. The cars are not owned.
class PhysicsWorld {
 public:
  // Seconds per step: 0.01 in single precision, whatever the frame rate.
  static constexpr double kTimeStep = static_cast<double>(0.01f);

  // Appends the car; registration order is car index order. The car must outlive the world
  // or the world must not be stepped after the car is gone.
  void registerCar(Car& car);
  // The contact pass, then one update of kTimeStep on every car in registration order.
  void step();

  int count() const { return static_cast<int>(cars_.size()); }
  const std::vector<Car*>& cars() const { return cars_; }

  // Whether two cars, taken as rectangles (centre, width across, length along, angle), touch.
  // Cheap circle tests settle most pairs; the exact rotated-rectangle test decides the rest.
  static bool touching(const Car& p, const Car& q);

 private:
  std::vector<Car*> cars_;
};

}  // namespace physics
