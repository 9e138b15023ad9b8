#pragma once

namespace track {
struct TrackPoint;
}  // namespace track

namespace physics {

class Car;

// Stands the car on a start position: its front on (x, y), its centre half a car length behind,
// heading the way the position's rotation points (rotation 0 faces right, π/2 up the screen).
void placeOnStartPosition(Car& car, const track::TrackPoint& position);

}  // namespace physics
