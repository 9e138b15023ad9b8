#pragma once

class Car;
namespace track {
struct TrackPoint;
}  // namespace track

// Stands the car on a start position: its front on (x, y), its centre half a car length behind,
// heading the way the position's rotation points (rotation 0 faces right, π/2 up the screen).
void placeOnStartPosition(Car& car, const track::TrackPoint& position);
