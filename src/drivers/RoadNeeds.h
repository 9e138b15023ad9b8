#pragma once
#include "track/SurfaceMap.h"

// What a road must give the computer drivers' path search, which plans their line over the
// race's surface map.
namespace drivers::roadneeds {

// The search moves a car only where every cell within this many cells of it (a square of 5 × 5)
// is road: the car needs room on both sides.
inline constexpr int kRoomCells = 2;

// The narrowest road on which that square fits at every angle: its diagonal on the race's map,
// in world units (about 28; the shipped tracks are 55 to 110 wide). On a narrower stretch the
// search finds no line and the drivers go on without a plan.
inline constexpr double kNarrowestRoad =
    (2 * kRoomCells + 1) * track::SurfaceMap::kRaceCellSize * 1.4142135623730951;

}  // namespace drivers::roadneeds
