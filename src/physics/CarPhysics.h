#pragma once
#include <cstdint>

#include "physics/Car.h"
#include "physics/SurfaceOptions.h"
#include "physics/Vec2.h"

namespace physics {

// The car model: two axles on one track in the plane, integrated with a fixed step. Works in
// metres, seconds and radians inside; talks to the rest of the game in world units
// (10 world units = 1 metre). Grip and rolling resistance come from the options, chosen by the
// track's surface map under the car (grass, sand, snow, gravel or road). Water and the ground
// beyond the map are walls: the car stops against them and slides along them.
class CarPhysics : public Car {
 public:
  explicit CarPhysics(const track::TrackData& track);

  double getAngle() const override { return -heading_; }
  double getX() const override { return position_.x * scale_; }
  double getY() const override { return position_.y * scale_; }
  void push(double magnitude, double fromX, double fromY) override;
  // dt in seconds; the race uses 0.01 (single precision) every frame.
  void update(double dt) override;
  void initModel() override;
  // x, y in world units; heading in radians (0 drives down the screen).
  void setPosition(double x, double y, double heading) override;
  void stopAt(double x, double y, double heading) override;
  double getPreviousX() const override { return previousX_; }
  double getPreviousY() const override { return previousY_; }
  // The driver's steering input of the last step, -1 (full left) .. 1 (full right).
  double getSteer() const override { return raw_.steer; }
  std::int32_t getSurface() const override;
  double getDriftAngle() const override;

  // Read-outs for tests, tools and the debug view.
  double heading() const { return heading_; }        // radians, not wrapped
  Vec2 velocity() const { return velocity_; }        // world frame, metres per second
  Vec2 pendingPush() const { return push_; }         // m/s², cleared by update
  double resistance() const { return resistance_; }  // of the surface under the car last step

 private:
  struct Inputs {
    double throttle = 0;  // 0..1
    double brake = 0;     // 0..1
    double steer = 0;     // -1 (full left) .. 1 (full right)
  };
  Inputs takeInputs();
  // The step proper: throttle and brake in percent, steering angle in radians.
  void step(double dt, double throttlePercent, double brakePercent, double steerAngle);
  // Grip factor (1 = normal) of the ground under the car; also sets the rolling resistance.
  double readSurface(double worldX, double worldY);
  // The change of the angular velocity (radians per second) when a wall changed the velocity
  // by `change` (metres per second).
  double wallSpin(const Vec2& change) const;

  Vec2 position_;       // metres
  Vec2 velocity_;       // world frame, metres per second
  double heading_ = 0;  // radians; forward is (sin, cos)
  double angularVelocity_ = 0;
  double inertia_ = 0;  // kg·m²
  double drag_ = 0;
  double resistance_ = 0;
  double corneringRear_ = 0;   // CA_R
  double corneringFront_ = 0;  // CA_F
  double maxGrip_ = 0;
  Vec2 push_;  // world-frame acceleration, m/s²

  // What the drivers last wrote, and what the step left in the public fields for the display,
  // so a field that is not written again is recognised and not scaled a second time.
  Inputs raw_;
  double shownThrottle_ = 0;
  double shownBrake_ = 0;

  SurfaceOptions surfaceOptions_;
};

}  // namespace physics
