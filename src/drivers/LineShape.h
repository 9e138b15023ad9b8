#pragma once
#include <vector>

#include "track/TrackData.h"

namespace drivers {

// The shape of a closed driving line and the speeds a car can carry along it. Points are
// TrackPoints of which only x and y matter; every length is in the unit of the points and every
// speed in that unit per second, so a caller may work in map units or in metres alike.
namespace driving {

// The line walked at even steps of `spacing` from its first point. A closed line (a loop) is
// walked back to its first point, and its last step, what remains, may be shorter; an open one
// ends on its own last point. A line of fewer than two points, or a spacing of 0, is returned
// as it is.
std::vector<track::TrackPoint> resampleLine(const std::vector<track::TrackPoint>& line,
                                            double spacing, bool closed);

// Length of the line; a closed one's includes the step back to the first point.
double lineLength(const std::vector<track::TrackPoint>& line, bool closed);

// Curvature (1 / radius, signed: positive where the loop turns clockwise on the screen) at every
// point, from the circle through the points `reach` before and after it. Resampled loops
// should use a reach of a few car lengths, or the small bumps of the line read as bends.
std::vector<double> loopCurvature(const std::vector<track::TrackPoint>& loop, int reach);

// The distance from every point of the loop to the next (the last to the first).
std::vector<double> loopSteps(const std::vector<track::TrackPoint>& loop);

// How fast a car may go at each point of a loop: no faster than its lateral grip allows in the
// bend there nor than `topSpeed`, and slow enough to brake at `braking` (units per second²)
// down to every slower point ahead. `steps` holds the distance from each point to the next
// (loopSteps). The grip is `lateralGrip` (units per second², about 5..20 m/s² for our car) at
// low speed and fades with the square of the speed to nothing at `gripFadeSpeed` (0: it never
// fades), as sliding sideways costs a fast car more than its engine gives.
std::vector<double> speedProfile(const std::vector<double>& curvature,
                                 const std::vector<double>& steps, double lateralGrip,
                                 double gripFadeSpeed, double braking, double topSpeed);

}  // namespace driving

}  // namespace drivers
