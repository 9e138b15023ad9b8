#pragma once
#include "physics/Car.h"
#include "track/TrackData.h"

// A car that stands where it is put and reports what the test sets.
class FakeCar : public Car {
 public:
  explicit FakeCar(const TrackData& track, double x = 0, double y = 0, double angle = 0)
      : Car(track), x_(x), y_(y), angle_(angle) {}

  double getAngle() const override { return angle_; }
  double getX() const override { return x_; }
  double getY() const override { return y_; }
  void push(double, double, double) override {}
  void update(double) override {}
  void initModel() override {}
  void setPosition(double x, double y, double heading) override {
    x_ = x;
    y_ = y;
    angle_ = -heading;
  }
  double getPreviousX() const override { return x_; }
  double getPreviousY() const override { return y_; }
  double getSteer() const override { return 0; }
  std::int32_t getSurface() const override { return 3; }
  double getDriftAngle() const override { return drift; }

  double drift = 0;

 private:
  double x_, y_, angle_;
};
