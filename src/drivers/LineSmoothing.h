#pragma once
#include <vector>

#include "drivers/RoadClearance.h"
#include "track/TrackData.h"

namespace drivers {

namespace driving {

// How a line is bent into a racing line.
struct SmoothingSettings {
  double margin = 3;  // cells every node keeps from the road's edge (see RoadClearance)
  int passes = 300;   // sweeps over the line; more give a rounder line, each costs a sweep
};

// Bends a line of nodes (map units, evenly spaced, about 8 cells apart) towards the least
// curvature the road allows: each sweep moves every node against the bend of its neighbours,
// and a node whose move would take it closer than the margin to the road's edge moves half as
// far, or stays (a node already nearer may still move, as long as it gets no nearer; one off the
// road only onto it). A closed line is a loop; an open one keeps its first and last two nodes,
// so a stretch can be bent without moving where it joins the rest.
std::vector<track::TrackPoint> smoothInsideRoad(std::vector<track::TrackPoint> line, bool closed,
                                                const RoadClearance& clearance,
                                                const SmoothingSettings& settings);

// Moves every node nearer than `margin` cells to the road's edge (or just off it) away from it,
// up the slope of the room the road leaves, until it has the margin or can get no further (a
// few cells at most). A line resampled between nodes that hug the edge, or after bending, cuts
// across the inside of bends; this puts it back.
void pushInsideRoad(std::vector<track::TrackPoint>& line, const RoadClearance& clearance,
                    double margin);

}  // namespace driving

}  // namespace drivers
