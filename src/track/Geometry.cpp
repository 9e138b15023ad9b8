#include "track/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "common/Angle.h"
#include "common/GridLine.h"
#include "track/TrackLimits.h"

namespace track {

namespace {

bool withinCoordinateLimit(double value) {
  return std::isfinite(value) && std::fabs(value) <= limits::kMaxCoordinate;
}

}  // namespace

EdgePoints edgePoints(const TrackPoint& point, float divisor) {
  const double f = divisor;
  const double r = common::wrapAngle(point.rotation);
  const double half = (point.width / f) * 0.5;
  const double o = point.offset / f;
  EdgePoints edges;
  edges.first.x = std::cos(r) * (half - o) + point.x / f;
  edges.first.y = std::sin(r) * (half - o) + point.y / f;
  edges.second.x = std::cos(r + common::kPi) * (half + o) + point.x / f;
  edges.second.y = std::sin(r + common::kPi) * (half + o) + point.y / f;
  return edges;
}

std::vector<GridCell> drawLine(SurfaceMap& map, GridCell from, GridCell to, std::int32_t value) {
  if (from == to) return {from};
  const long long dx = std::llabs(static_cast<long long>(to.x) - from.x);
  const long long dy = std::llabs(static_cast<long long>(to.y) - from.y);
  std::vector<GridCell> cells;
  cells.reserve(static_cast<std::size_t>(std::max(dx, dy)));
  common::walkGridLine(from.x, from.y, to.x, to.y, [&](int x, int y) {
    map.set(y, x, value);
    cells.push_back({x, y});
    return true;
  });
  return cells;
}

bool surfaceMapFits(const TrackData& track, double cellSize, std::string* reason) {
  auto refuse = [reason](const std::string& text) {
    if (reason) *reason = text;
    return false;
  };
  if (!std::isfinite(cellSize) || cellSize < limits::kMinCellSize) {
    std::ostringstream text;
    text << "A surface map needs cells of at least " << limits::kMinCellSize << " world units.";
    return refuse(text.str());
  }
  // A road too wide makes the track too large as well; the width is the better reason.
  for (const TrackPoint& p : track.points) {
    if (!withinCoordinateLimit(p.width)) {
      std::ostringstream text;
      text << "A road width of " << p.width << " is too wide (at most " << limits::kMaxCoordinate
           << " world units).";
      return refuse(text.str());
    }
  }
  const double extentX = track.extentX;
  const double extentY = track.extentY;
  if (extentX < 0 || extentY < 0 || extentX > limits::kMaxExtent || extentY > limits::kMaxExtent ||
      extentX * extentY > limits::kMaxArea) {
    std::ostringstream text;
    text << "The track is too large (" << track.extentX << " x " << track.extentY
         << " world units; at most " << limits::kMaxExtent << " each and " << limits::kMaxArea
         << " square units).";
    return refuse(text.str());
  }
  for (const TrackPoint& p : track.points) {
    if (!withinCoordinateLimit(p.x) || !withinCoordinateLimit(p.y) ||
        !withinCoordinateLimit(p.offset) || !std::isfinite(p.rotation)) {
      std::ostringstream text;
      text << "A path point lies too far out (coordinates, widths and offsets must stay within "
           << limits::kMaxCoordinate << " world units).";
      return refuse(text.str());
    }
  }
  return true;
}

double rasterisedCells(const TrackData& track, double cellSize) {
  const std::size_t count = track.points.size();
  if (count == 0) return 0.0;
  auto span = [](const TrackPoint& a, const TrackPoint& b) {
    return std::max(std::fabs(a.x - b.x), std::fabs(a.y - b.y));
  };
  const float divisor = static_cast<float>(cellSize);
  double cells = 0.0;
  EdgePoints current = edgePoints(track.points[0], divisor);
  for (std::size_t i = 0; i < count; ++i) {
    const EdgePoints next = edgePoints(track.points[(i + 1) % count], divisor);
    cells += span(current.first, next.first) + span(current.second, next.second) +
             3.0 * span(current.first, current.second);
    current = next;
  }
  return cells;
}

}  // namespace track
