#pragma once
#include <cstdint>

namespace track {
struct TrackData;
}  // namespace track

namespace physics {

// Root of everything the physics world moves.
class PhysicsObject {
 public:
  virtual ~PhysicsObject() = default;
};

// A car as the race, the drivers and the display see it: its fixed description, its three
// control inputs and what can be read of its state. Positions are in world units
// (10 world units = 1 metre), angles in radians.
class Car : public PhysicsObject {
 public:
  // Every car of the game has this size: 0.8 × 1.65 metres (8 × 16.5 world units).
  static constexpr double kStandardWidthMetres = static_cast<double>(0.8f);
  static constexpr double kStandardLengthMetres = static_cast<double>(1.65f);
  static constexpr double kWorldUnitsPerMetre = 10.0;

  explicit Car(const track::TrackData& track) : track_(&track) {}

  // Inputs written by a driver every frame: throttle and brake 0..1, steer -1 (full left)
  // .. 1 (full right). After a step, throttle and brake hold percent (0..100), as the display
  // reads them; steer keeps the driver's value. A field a driver leaves unwritten keeps its
  // last input: it is never scaled twice.
  double throttle = 0;
  double brake = 0;
  double steer = 0;
  // Metres per second: the distance moved in the last step divided by its time.
  double speed = 0;

  virtual double getWidth() const { return width_ * scale_; }    // world units, 8.0
  virtual double getLength() const { return length_ * scale_; }  // world units, 16.5
  virtual double getAngle() const = 0;                           // -heading
  virtual double getX() const = 0;
  virtual double getY() const = 0;
  virtual double getImpactFactor() const { return speed < 1.0 ? speed : 1.0; }
  virtual double getMass() const { return mass_; }  // kg
  // Adds an acceleration (m/s², world frame) pointing from (fromX, fromY) toward the car,
  // used by the next update only.
  virtual void push(double magnitude, double fromX, double fromY) = 0;
  virtual void update(double dt) = 0;  // one step of dt seconds
  virtual void initModel() = 0;
  virtual void setPosition(double x, double y, double heading) = 0;
  // Stands the car at rest at world (x, y) with `heading` (radians, 0 drives down the screen):
  // no speed, no turn, nothing pushing it, and standing where it stood before, so the move is
  // not taken for a drive.
  virtual void stopAt(double x, double y, double heading) {
    setPosition(x, y, heading);
    speed = 0;
  }
  virtual double getPreviousX() const = 0;  // where the car stood before the last step
  virtual double getPreviousY() const = 0;
  virtual double getSteer() const = 0;          // the driver's steering input of the last step
  virtual std::int32_t getSurface() const = 0;  // surface map cell under the car, 7 outside
  virtual double getDriftAngle() const { return 0; }  // 0..π between motion and heading

  const track::TrackData& track() const { return *track_; }

 protected:
  double scale_ = kWorldUnitsPerMetre;
  double mass_ = 1500.0;
  double width_ = kStandardWidthMetres;
  double frontDistance_ = 1.0;  // b: centre of gravity to front axle, metres
  double rearDistance_ = 1.0;   // c: centre of gravity to rear axle, metres
  double length_ = kStandardLengthMetres;
  double previousX_ = 0;
  double previousY_ = 0;

 private:
  const track::TrackData* track_;
};

}  // namespace physics
