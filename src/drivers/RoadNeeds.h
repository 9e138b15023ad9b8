#pragma once

// What a road must give the computer drivers. Their path search plans over the race's surface
// map (cells of 4 world units) and steers by the cells it finds; on a road much narrower than
// this the plans keep leaving it and a driver can lose the track in the bends.
namespace roadneeds {

// World units; the shipped tracks are 55 to 110 wide.
inline constexpr double kNarrowestRoad = 55.0;

}  // namespace roadneeds
