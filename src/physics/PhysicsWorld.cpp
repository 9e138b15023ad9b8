#include "physics/PhysicsWorld.h"

#include <algorithm>
#include <cstddef>

#include "physics/Car.h"
#include "physics/RectangleContact.h"

namespace physics {

namespace {

ContactRectangle rectangleOf(const Car& car) {
  return {car.getX(), car.getY(), car.getWidth() / 2, car.getLength() / 2, car.getAngle()};
}

}  // namespace

void PhysicsWorld::registerCar(Car& car) {
  cars_.push_back(&car);
}

void PhysicsWorld::step() {
  for (std::size_t i = 0; i < cars_.size(); ++i) {
    for (std::size_t j = i + 1; j < cars_.size(); ++j) {
      Car& first = *cars_[i];
      Car& second = *cars_[j];
      if (!touching(first, second)) continue;
      // Each is pushed away from the other, as hard as the other is heavy and fast.
      second.push(first.getMass() * first.getImpactFactor() / 10, first.getX(), first.getY());
      first.push(second.getMass() * second.getImpactFactor() / 10, second.getX(), second.getY());
    }
  }
  for (Car* car : cars_) car->update(kTimeStep);
}

bool PhysicsWorld::touching(const Car& p, const Car& q) {
  const double dx = q.getX() - p.getX();
  const double dy = q.getY() - p.getY();
  const double distanceSquared = dx * dx + dy * dy;

  const double innerP = std::min(p.getWidth(), p.getLength()) / 2;
  const double innerQ = std::min(q.getWidth(), q.getLength()) / 2;
  if ((innerP + innerQ) * (innerP + innerQ) > distanceSquared) return true;

  const double outer = (p.getLength() + p.getWidth() + q.getWidth() + q.getLength()) / 2;
  if (distanceSquared >= outer * outer) return false;

  return rectanglesTouch(rectangleOf(p), rectangleOf(q));
}

}  // namespace physics
