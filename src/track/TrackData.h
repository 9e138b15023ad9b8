#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "track/SurfaceMap.h"

namespace track {

// One point of the path or one start position, in world units (x right, y down, radians).
// Also serves as the general 2D point record where only x and y matter.
struct TrackPoint {
  double x = 0;
  double y = 0;
  double width = 0;
  double offset = 0;
  double rotation = 0;
};

// A loaded track. The path is a closed loop; index 0 is the file's second point and the last
// index is the file's first point (the finish line).
struct TrackData {
  std::vector<TrackPoint> points;
  std::vector<TrackPoint> positions;       // start positions; slot i is car i's
  std::unique_ptr<SurfaceMap> surfaceMap;  // built by the race set-up (cell 4)
  std::int32_t extentX = 0;
  std::int32_t extentY = 0;
  std::string background;
  std::string title;
  // The landscape the background painter paints around the road ("desert", "winter", ...);
  // empty when the file names none, which paints the meadow.
  std::string theme;

  std::size_t pointCount() const { return points.size(); }
  std::size_t positionCount() const { return positions.size(); }

  // Path point i in map units (x, y, width, offset × 0.25; rotation unchanged).
  // Throws std::out_of_range("Index out of bounds") past the end, as do all indexed queries.
  TrackPoint getPoint(std::size_t i) const;
  // Path point i unchanged (world units).
  TrackPoint copyPoint(std::size_t i) const;
  const TrackPoint& pointAt(std::size_t i) const;
  TrackPoint& pointAt(std::size_t i);
  const TrackPoint& positionAt(std::size_t i) const;
  std::string getTitle() const { return title; }
  std::string getBackground() const { return background; }

  // Index of the path point nearest to p (p in map units); ties keep the lower index; 0 when
  // the track has no points.
  std::size_t nearestPointIndex(const TrackPoint& p) const;
};

}  // namespace track
