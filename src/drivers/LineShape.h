#pragma once
#include <vector>

#include "track/TrackData.h"

// The shape of a closed driving line and the speeds a car can carry along it. Points are
// TrackPoints of which only x and y matter; every length is in the unit of the points and every
// speed in that unit per second, so a caller may work in map units or in metres alike.
namespace driving {

// The loop walked at even steps of `spacing` (its last step, back to the first point, is what
// remains and may be shorter). A loop of fewer than two points, or a spacing of 0, is returned
// as it is.
std::vector<TrackPoint> resampleLoop(const std::vector<TrackPoint>& loop, double spacing);

// Length of the loop, the step back to the first point included.
double loopLength(const std::vector<TrackPoint>& loop);

// Curvature (1 / radius, signed: positive where the loop turns clockwise on the screen) at every
// point, from the circle through the points `reach` before and after it. Resampled loops
// should use a reach of a few car lengths, or the small bumps of the line read as bends.
std::vector<double> loopCurvature(const std::vector<TrackPoint>& loop, int reach);

// How fast a car may go at each point of a loop of even `spacing`: no faster than its lateral
// grip allows in the bend there (`lateralGrip`, units per second², about 5..20 m/s² for our
// car) nor than `topSpeed`, and slow enough to brake at `braking` (units per second²) down to
// every slower point ahead.
std::vector<double> speedProfile(const std::vector<double>& curvature, double spacing,
                                 double lateralGrip, double braking, double topSpeed);

}  // namespace driving
