#pragma once
#include "physics/RectangleContact.h"

namespace track {
struct TrackPoint;
}  // namespace track

namespace physics {

class Car;

// Where a car `length` world units long stands on a start position: its centre (world units)
// and its heading (radians, 0 drives down the screen).
struct StartPose {
  double x = 0;
  double y = 0;
  double heading = 0;
};
StartPose startPose(const track::TrackPoint& position, double length);

// The ground a car of the standard size covers on a start position, as the contact test sees
// it: the start grid is checked with it before a race ever stands cars there.
ContactRectangle startFootprint(const track::TrackPoint& position);

// Stands the car on a start position: its front on (x, y), its centre half a car length behind,
// heading the way the position's rotation points (rotation 0 faces right, π/2 up the screen).
void placeOnStartPosition(Car& car, const track::TrackPoint& position);

}  // namespace physics
