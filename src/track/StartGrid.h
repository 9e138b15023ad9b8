#pragma once
#include <vector>

#include "track/TrackData.h"

// The standard start grid: two staggered columns behind the finish line, every car facing the
// direction of travel. Places are start positions (front of the car, rotation as the race reads
// it: 0 faces right, π/2 up the screen).
namespace track::startgrid {

// World units from the finish line back to the front of the pole car.
inline constexpr double kFront = 24.0;
// World units from one row's front to the next one's (cars are 16.5 long); the second column
// stands half a row further back.
inline constexpr double kRowSpacing = 32.0;
// Each column's distance from the road's centre line, as a share of the road's width.
inline constexpr double kLateral = 0.22;
// Most places the editor lays out at once.
inline constexpr int kMaxPlaces = 16;

// `count` places (0..kMaxPlaces, more are cut) along `loop`: the road's centre line in driving
// order, starting at the finish line and closing back to it (the path in file order, or any
// finer line through it), with the road width at each point. Distances are measured back from
// the finish along the line; a grid longer than the lap wraps around. Empty for a loop of fewer
// than two points.
std::vector<TrackPoint> layOut(const std::vector<TrackPoint>& loop, int count);

}  // namespace track::startgrid
