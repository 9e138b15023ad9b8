#pragma once
#include <cstdint>

#include "physics/Car.h"
#include "track/TrackData.h"

// A car that stands wherever the test puts it: no physics, every read-out settable.
class FakeCar : public physics::Car {
 public:
  explicit FakeCar(const track::TrackData& track, double px = 0, double py = 0, double a = 0)
      : physics::Car(track), x(px), y(py), angle(a) {}

  double getAngle() const override { return angle; }
  double getX() const override { return x; }
  double getY() const override { return y; }
  void push(double, double, double) override {}
  void update(double) override {}
  void initModel() override {}
  void setPosition(double px, double py, double heading) override {
    x = px;
    y = py;
    angle = -heading;
  }
  // Where the car stood before its last moveTo(); where it stands when it has not moved.
  double getPreviousX() const override { return moved ? previousX : x; }
  double getPreviousY() const override { return moved ? previousY : y; }
  // One frame's movement to (px, py), world units.
  void moveTo(double px, double py) {
    previousX = x;
    previousY = y;
    moved = true;
    x = px;
    y = py;
  }
  double getSteer() const override { return steer; }
  std::int32_t getSurface() const override { return surface; }
  double getDriftAngle() const override { return drift; }

  double x = 0;  // world units
  double y = 0;
  double angle = 0;  // -heading
  std::int32_t surface = 3;
  double drift = 0;
  double previousX = 0;
  double previousY = 0;
  bool moved = false;
};
