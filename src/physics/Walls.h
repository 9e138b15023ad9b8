#pragma once
#include "physics/Vec2.h"
#include "track/SurfaceMap.h"

namespace physics {

// The ground no car can enter: water, and everything beyond the surface map (the edge of the
// track's picture). Positions are in world units.
namespace walls {

// How far from a car's centre the walls are felt, world units: most of the way to its nose
// (8.25) and a little beyond its side (4).
inline constexpr double kReach = 6.0;

// Whether the ground at a world position is a wall. Non-finite positions are.
bool blocked(const track::SurfaceMap& map, Vec2 world);

// The direction away from the walls within `reach` world units of a position (a unit vector),
// or (0, 0) when none is that near or they surround it evenly. Eight points on a circle feel
// for them.
Vec2 normalAt(const track::SurfaceMap& map, Vec2 world, double reach = kReach);

// Keeps a body that moved from `before` to `after` (world units) out of the walls: the part of
// the move and of the velocity that goes into a wall within reach is taken away, the part along
// it stays, so the body stops against the wall and slides along it. A body that started inside
// a wall (put there) moves freely, so it can leave. Returns the corrected position; `velocity`
// (any unit) is corrected in place.
Vec2 stopAgainstWalls(const track::SurfaceMap& map, Vec2 before, Vec2 after, Vec2& velocity);

}  // namespace walls

}  // namespace physics
