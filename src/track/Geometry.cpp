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

GridCell truncatedCell(const TrackPoint& p) {
  return GridCell{static_cast<int>(p.x), static_cast<int>(p.y)};
}

// Writes `value` into the map cells of one row from column `from` up to, not including, `to`.
void fillRow(SurfaceMap& map, long long row, long long from, long long to, std::int32_t value) {
  if (row < 0 || row >= static_cast<long long>(map.rows)) return;
  from = std::max(from, 0LL);
  to = std::min(to, static_cast<long long>(map.columns));
  if (from >= to) return;
  auto rowStart = map.cells.begin() + static_cast<std::ptrdiff_t>(row * map.columns);
  std::fill(rowStart + from, rowStart + to, value);
}

// Writes `value` into the map cells of one column from row `from` up to, not including, `to`.
void fillColumn(SurfaceMap& map, long long column, long long from, long long to,
                std::int32_t value) {
  if (column < 0 || column >= static_cast<long long>(map.columns)) return;
  from = std::max(from, 0LL);
  to = std::min(to, static_cast<long long>(map.rows));
  for (long long row = from; row < to; ++row) {
    map.cells[static_cast<std::size_t>(row) * map.columns + static_cast<std::size_t>(column)] =
        value;
  }
}

// Fills one piece of road from its outline. Every outlined cell is joined to the next outlined
// cell below it in its column and to the next one right of it in its row; that is all the road
// between the two edge lines and the cross lines that close them. Working from sorted cell lists
// keeps the cost at the cells outlined and written, however large the piece's bounding box.
class PieceFiller {
 public:
  explicit PieceFiller(SurfaceMap& map) : map_(map) {}

  void fill(const std::vector<GridCell>& previousEdge1, const std::vector<GridCell>& previousEdge2,
            const std::vector<GridCell>& edge1, const std::vector<GridCell>& edge2) {
    outline_.clear();
    outline_.insert(outline_.end(), edge1.begin(), edge1.end());
    outline_.insert(outline_.end(), edge2.begin(), edge2.end());
    addCrossLine(previousEdge1.back(), previousEdge2.back());
    addCrossLine(edge1.front(), edge2.front());
    addCrossLine(edge1.back(), edge2.back());

    std::sort(outline_.begin(), outline_.end(),
              [](GridCell a, GridCell b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    outline_.erase(std::unique(outline_.begin(), outline_.end()), outline_.end());
    for (std::size_t i = 0; i + 1 < outline_.size(); ++i) {
      if (outline_[i].y == outline_[i + 1].y)
        fillRow(map_, outline_[i].y, outline_[i].x, outline_[i + 1].x, SurfaceMap::kRoad);
    }

    std::sort(outline_.begin(), outline_.end(),
              [](GridCell a, GridCell b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    for (std::size_t i = 0; i + 1 < outline_.size(); ++i) {
      if (outline_[i].x == outline_[i + 1].x)
        fillColumn(map_, outline_[i].x, outline_[i].y, outline_[i + 1].y, SurfaceMap::kRoad);
    }
  }

 private:
  void addCrossLine(GridCell from, GridCell to) {
    const std::vector<GridCell> line = drawLine(map_, from, to, SurfaceMap::kRoad);
    outline_.insert(outline_.end(), line.begin(), line.end());
  }

  SurfaceMap& map_;
  std::vector<GridCell> outline_;
};

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
        !withinCoordinateLimit(p.width) || !withinCoordinateLimit(p.offset) ||
        !std::isfinite(p.rotation)) {
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

std::unique_ptr<SurfaceMap> buildSurfaceMap(const TrackData& track, double cellSize) {
  std::string reason;
  if (!surfaceMapFits(track, cellSize, &reason)) throw std::length_error(reason);

  const double c = cellSize;
  auto map = std::make_unique<SurfaceMap>(static_cast<std::uint32_t>((c + track.extentY) / c),
                                          static_cast<std::uint32_t>((c + track.extentX) / c));
  const std::size_t count = track.points.size();
  if (count == 0) return map;

  std::vector<GridCell> edge1(count), edge2(count);
  for (std::size_t i = 0; i < count; ++i) {
    const EdgePoints edges = edgePoints(track.points[i], static_cast<float>(c));
    edge1[i] = truncatedCell(edges.first);
    edge2[i] = truncatedCell(edges.second);
  }

  // Pair i joins point i to its successor; the last pair closes the loop at the finish line.
  std::vector<std::vector<GridCell>> lines1(count), lines2(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t next = (i + 1) % count;
    lines1[i] = drawLine(*map, edge1[i], edge1[next], SurfaceMap::kRoad);
    lines2[i] = drawLine(*map, edge2[i], edge2[next], SurfaceMap::kRoad);
  }

  PieceFiller filler(*map);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t previous = (i + count - 1) % count;
    filler.fill(lines1[previous], lines2[previous], lines1[i], lines2[i]);
  }
  return map;
}

}  // namespace track
