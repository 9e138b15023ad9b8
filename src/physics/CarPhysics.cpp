#include "physics/CarPhysics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Angle.h"
#include "physics/Walls.h"
#include "track/TrackData.h"

namespace physics {

namespace {

constexpr double kGravity = 9.81;            // m/s²
constexpr double kCoastingBrake = 50.0;      // percent, applied when no pedal is pressed
constexpr double kTractionPerPercent = 100;  // newtons per percent of throttle or brake
constexpr double kWorldToMap = 0.25;         // a surface map cell is 4 world units

constexpr double kStandstill = 1e-6;  // metres per second

double sign(double v) {
  return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

// The forward force (newtons) limited so that, unless the throttle drives the car, it can stop
// the car's forward or backward roll within a step but not reverse it. Left alone, brakes and
// rolling resistance flip a slow car's direction every step; rolling backwards the slip angles
// read about ±π and the lateral forces throw the car sideways, so a car that should stand
// still would shake and creep away.
double stopAtMost(double forceX, double forward, double throttlePercent, double mass, double dt) {
  if (dt <= 0) return forceX;
  const double stop = mass * std::abs(forward) / dt;
  if (forward > 0 && forceX < 0) return std::max(forceX, -stop);
  if (forward < 0 && forceX > 0 && throttlePercent == 0) return std::min(forceX, stop);
  if (forward == 0 && throttlePercent == 0) return 0;
  return forceX;
}

// The surface map cell under a world position, or nothing when the position lies off the map.
// Non-finite positions (a car thrown out by absurd options) also count as off the map rather
// than being truncated into an undefined integer.
const std::int32_t* cellAt(const track::TrackData& track, double worldX, double worldY) {
  const track::SurfaceMap* map = track.surfaceMap.get();
  if (map == nullptr) return nullptr;
  const double column = std::trunc(worldX * kWorldToMap);
  const double row = std::trunc(worldY * kWorldToMap);
  // Truncation toward zero: positions between -4 and 0 world units still read cell 0.
  if (!(column >= 0 && row >= 0 && column < map->columns && row < map->rows)) return nullptr;
  return &map->cells[static_cast<std::size_t>(row) * map->columns +
                     static_cast<std::size_t>(column)];
}

// Into 0..2π by whole turns, as the drift angle compares two directions. The car's heading is
// never wrapped itself; one that has turned more than 64 times is reduced with fmod first.
double wrapTurn(double angle) {
  return common::wrapAngle(angle, 0.0, 64 * common::kTwoPi);
}

}  // namespace

physics::CarPhysics::CarPhysics(const track::TrackData& track) : physics::Car(track) {}

void physics::CarPhysics::initModel() {
  inertia_ = mass_;
  drag_ = 5.0;
  resistance_ = 30.0;
  corneringRear_ = static_cast<double>(-5.2f);
  corneringFront_ = -5.0;
  maxGrip_ = 2.0;
}

void physics::CarPhysics::setPosition(double x, double y, double heading) {
  position_ = {x / scale_, y / scale_};
  heading_ = heading;
}

void physics::CarPhysics::stopAt(double x, double y, double heading) {
  setPosition(x, y, heading);
  velocity_ = {};
  angularVelocity_ = 0;
  push_ = {};
  speed = 0;
  previousX_ = getX();
  previousY_ = getY();
}

void physics::CarPhysics::push(double magnitude, double fromX, double fromY) {
  // From the given point toward the car; a car standing on the point itself is pushed along +x
  // (atan2(0, 0) = 0).
  const double e = std::atan2(getY() - fromY, getX() - fromX);
  push_ += Vec2{std::cos(e), std::sin(e)} * magnitude;
}

physics::CarPhysics::Inputs physics::CarPhysics::takeInputs() {
  // The public throttle and brake hold percent after a step, for the display. A driver that
  // does not write them again leaves exactly those values; taking them as new inputs would
  // multiply them by 100 once more every frame, so they are recognised and the last input kept.
  if (throttle != shownThrottle_) raw_.throttle = throttle;
  if (brake != shownBrake_) raw_.brake = brake;
  // The steering field keeps the driver's value (getSteer reports it); the step negates a copy.
  raw_.steer = steer;
  return raw_;
}

void physics::CarPhysics::update(double dt) {
  const Inputs in = takeInputs();
  // A driver's full right (+1) is a steering angle of -1 radian.
  step(dt, in.throttle * 100, in.brake * 100, -in.steer);
  throttle = shownThrottle_ = in.throttle * 100;
  brake = shownBrake_ = in.brake * 100;
}

double physics::CarPhysics::readSurface(double worldX, double worldY) {
  const std::int32_t* cell = cellAt(track(), worldX, worldY);
  const SurfaceGrip& ground =
      surfaceOptions_.current().of(cell != nullptr ? *cell : track::SurfaceMap::kOutside);
  resistance_ = ground.resistance;
  // The grip scales the slip angles, not the force limit.
  return ground.grip * 0.01;
}

void physics::CarPhysics::step(double dt, double throttlePercent, double brakePercent,
                               double steerAngle) {
  previousX_ = getX();
  previousY_ = getY();
  const double sn = std::sin(heading_);
  const double cs = std::cos(heading_);

  double brakeNow = brakePercent;
  if (brakeNow == 0 && throttlePercent == 0) {
    brakeNow = kCoastingBrake;
  } else if (brakeNow > 0 && throttlePercent == 0) {
    brakeNow = 2 * brakeNow;  // braking without throttle brakes twice as hard
  }

  const double grip = readSurface(previousX_, previousY_);

  // Velocity in the car's frame: x forward, y along the lateral axis (cos h, -sin h).
  const Vec2 local{sn * velocity_.x + cs * velocity_.y, cs * velocity_.x - sn * velocity_.y};
  const double yawSpeed = (frontDistance_ + rearDistance_) * 0.5 * angularVelocity_;
  // Rolling speeds within the rounding noise of a stopped car count as standing still.
  const double forward = std::abs(local.x) < kStandstill ? 0.0 : local.x;
  double rotationAngle = 0;
  double sideSlip = 0;
  if (forward != 0) {
    rotationAngle = std::atan2(yawSpeed, local.x);
    sideSlip = std::atan2(local.y, local.x);
  }
  const double slipFront = (sideSlip + rotationAngle - steerAngle) * grip;
  const double slipRear = (sideSlip - rotationAngle) * grip;

  const double mass = mass_;
  const double axleWeight = mass * kGravity * 0.5;
  const double lateralFront =
      std::clamp(corneringFront_ * slipFront, -maxGrip_, maxGrip_) * axleWeight;
  const double lateralRear =
      std::clamp(corneringRear_ * slipRear, -maxGrip_, maxGrip_) * axleWeight;

  // Braking from speed opposes the direction of travel; standing, the brake gives no force.
  const double traction = kTractionPerPercent * (throttlePercent - sign(forward) * brakeNow);

  // Sideways, resistance may at most stop the sliding within this step. A hand-edited surface
  // value in the millions would otherwise overshoot each step by more than the last, and the
  // car would be flung off to infinity.
  const double lateralStop = dt > 0 ? mass_ * std::abs(local.y) / dt : 0.0;
  const Vec2 resistanceForce{
      -(resistance_ * local.x + drag_ * local.x * std::abs(local.x)),
      std::clamp(-(resistance_ * local.y + drag_ * local.y * std::abs(local.y)), -lateralStop,
                 lateralStop)};

  const Vec2 force{stopAtMost(traction + resistanceForce.x, forward, throttlePercent, mass, dt),
                   std::cos(steerAngle) * lateralFront + lateralRear + resistanceForce.y};
  const double torque = frontDistance_ * lateralFront - rearDistance_ * lateralRear;

  const Vec2 acceleration{force.x / mass, force.y / mass};
  const double angularAcceleration = torque / inertia_;
  const Vec2 worldAcceleration{sn * acceleration.x + cs * acceleration.y + push_.x,
                               cs * acceleration.x - sn * acceleration.y + push_.y};

  velocity_ += worldAcceleration * dt;
  const Vec2 before = position_;
  position_ += velocity_ * dt;
  if (const track::SurfaceMap* map = track().surfaceMap.get()) {
    const Vec2 velocityBefore = velocity_;
    position_ = walls::stopAgainstWalls(*map, before * scale_, position_ * scale_, velocity_) *
                (1.0 / scale_);
    angularVelocity_ += wallSpin(velocity_ - velocityBefore);
  }
  if (dt > 0) speed = (position_ - before).length() / dt;

  angularVelocity_ += angularAcceleration * dt;
  heading_ += angularVelocity_ * dt;

  push_ = {};
}

double physics::CarPhysics::wallSpin(const Vec2& change) const {
  if (change.x == 0 && change.y == 0) return 0;
  // The wall pushes on the end of the car that met it, nose or tail, and swings the car round
  // toward the wall's direction, as a car scraping along a barrier turns along it.
  const Vec2 forward{std::sin(heading_), std::cos(heading_)};
  const double half = length_ * 0.5;
  const Vec2 arm =
      forward.x * change.x + forward.y * change.y < 0 ? forward * half : forward * -half;
  const double torque = mass_ * (arm.x * change.y - arm.y * change.x);
  // A turn by the cross product's sense lowers the heading (x right, y down, forward (sin, cos)).
  return -torque / inertia_;
}

std::int32_t physics::CarPhysics::getSurface() const {
  const std::int32_t* cell = cellAt(track(), getX(), getY());
  return cell != nullptr ? *cell : track::SurfaceMap::kOutside;
}

double physics::CarPhysics::getDriftAngle() const {
  if (!std::isfinite(heading_) || !std::isfinite(velocity_.x) || !std::isfinite(velocity_.y)) {
    return 0;
  }
  // The direction of motion in the frame where heading h points along (sin h, cos h), i.e. at
  // angle π/2 - h from the x axis. At rest atan2(0, 0) = 0 serves.
  const double motion = wrapTurn(std::atan2(velocity_.y, velocity_.x));
  const double facing = wrapTurn(common::kHalfPi - heading_);
  return common::angleBetween(motion, facing);
}

}  // namespace physics
