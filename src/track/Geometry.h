#pragma once
#include <memory>
#include <string>
#include <vector>

#include "track/RoadMask.h"
#include "track/SurfaceMap.h"
#include "track/TrackData.h"

namespace track {

// A cell of a grid: x = column, y = row.
struct GridCell {
  int x = 0;
  int y = 0;
  bool operator==(const GridCell&) const = default;
};

struct EdgePoints {
  TrackPoint first;   // right-hand edge as driven
  TrackPoint second;  // left-hand edge as driven
};

// The two road edges at a path point (world units), divided by `divisor` (4 for the race's map,
// 0.5 for the background generator, 1 when the point is already in map units).
EdgePoints edgePoints(const TrackPoint& point, float divisor);

// The grid line walk (common/GridLine.h) from `from` to `to`; every cell after the start up to
// and including the end is written with `value` where it lies inside the map, and returned. A
// line of one cell returns the start cell unwritten.
std::vector<GridCell> drawLine(SurfaceMap& map, GridCell from, GridCell to, std::int32_t value);

// Whether a surface map of the track at this cell size stays within the game's size limits
// (TrackLimits.h: extents up to 8000 world units each and 12 000 000 square units, cells of at
// least 0.5, path values finite and within ±8000). Checked before anything is allocated;
// `reason` receives the message when it does not fit.
bool surfaceMapFits(const TrackData& track, double cellSize, std::string* reason = nullptr);

// How many cells drawing the track's road at this cell size visits: both edge lines and the
// three cross lines of every piece. Time and memory of buildSurfaceMap grow with it; a real
// track needs about 150 000 at cells of 0.5, a file of long zigzags billions.
double rasterisedCells(const TrackData& track, double cellSize);

// The road of the track rasterised at the given cell size. Throws std::length_error with a
// readable message when the map would exceed the size limit (surfaceMapFits).
std::unique_ptr<SurfaceMap> buildSurfaceMap(const TrackData& track, double cellSize);
// The same road as buildSurfaceMap's, one byte a cell (RoadMask::kOnRoad where the map has
// kRoad), for callers that need to know only where the road is. Same limits and exceptions.
std::unique_ptr<RoadMask> buildRoadMask(const TrackData& track, double cellSize);

}  // namespace track
