#pragma once
#include <cstddef>
#include <vector>

#include "track/TrackData.h"

namespace drivers {

// The small pieces of arithmetic the computer driver turns its view of the road into. Angles
// are radians with the game's own constants (common/Angle.h); positions are map units (world
// units × 0.25).
namespace driving {

// Where a target at signed bearing u (radians, positive clockwise on the screen from the car's
// direction) lies for the network: 0 far left, 0.5 straight ahead, 1 far right. Saturates at
// about ±17 degrees so that the network sees even small deviations.
double bearingFromOffset(double u);

// The bearing feature of `target` for a car at `x`, `y` (world units) whose getAngle() is
// `carAngle`.
double bearingFeature(double carAngle, double x, double y, const track::TrackPoint& target);

// Distance from the car (world units) to `target` (map units) as a share of `distanceWeight`
// (world units), limited to 0..1 and 0 below 0.001.
double distanceFeature(double x, double y, const track::TrackPoint& target, double distanceWeight);

// Index of the path node nearest to `p`; ties keep the earlier node. The path must not be empty.
std::size_t nearestNode(const std::vector<track::TrackPoint>& path, const track::TrackPoint& p);

// `index` moved by whole path lengths (count) to within half a path of `reference`, so that
// two positions on a closed path can be compared across the wrap.
long long unwrapIndex(long long index, long long reference, long long count);

// The cursor of a path of `count` nodes after the car was found nearest to node `nearest`: it
// follows only by up to 5 nodes either way, so that a line crossing itself or passing close to
// another part of the track cannot make the driver skip ahead.
int followCursor(int cursor, std::size_t nearest, std::size_t count);

// Sum of the squared distances of consecutive points (map units), optionally closing the loop.
double squaredLengthSum(const std::vector<track::TrackPoint>& points, bool closed);

// The re-planning effort for the option "skill": skill + 5 for 1..35, else 10.
int planningEffort(int skill);

}  // namespace driving

}  // namespace drivers
