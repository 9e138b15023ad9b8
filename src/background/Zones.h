#pragma once
#include <cstdint>

#include "track/SurfaceMap.h"

namespace background {

// Values of the painter's working map. The road builder leaves the surface map's grass off the
// road and its road on it; the stages and the themes add the others.
namespace zone {

inline constexpr std::int32_t kGround = track::SurfaceMap::kGrass;  // next to the road
inline constexpr std::int32_t kRunOff = 1;                          // sand in the bends
inline constexpr std::int32_t kFinishLine = 2;                      // drawn across the road
inline constexpr std::int32_t kRoad = track::SurfaceMap::kRoad;
inline constexpr std::int32_t kPathMark = 4;    // a debugging mark, painted red
inline constexpr std::int32_t kWhiteMark = 8;   // halfway line and grid brackets
inline constexpr std::int32_t kOpenGround = 9;  // far from the road: where scenery stands
// Zones of the themes. Everything from kFirstThemeZone on lies off the road.
inline constexpr std::int32_t kFirstThemeZone = 10;
inline constexpr std::int32_t kWater = 10;  // not drivable
inline constexpr std::int32_t kShore = 11;  // beach between the land and the water
inline constexpr std::int32_t kVerge = 12;  // a band along the road's border
inline constexpr std::int32_t kRock = 13;   // bare rock: outcrops, quarry faces

// Whether a cell is painted as part of the road (asphalt or a mark on it).
inline bool onRoad(std::int32_t value) {
  return value == kRoad || value == kFinishLine || value == kWhiteMark || value == kPathMark;
}

// Whether a cell lies off the road for the edge line's sake. Cells beyond the map
// (SurfaceMap::kOutside) never do.
inline bool offRoad(std::int32_t value) {
  return value < kRoad || value >= kFirstThemeZone;
}

}  // namespace zone

}  // namespace background
