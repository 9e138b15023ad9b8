#include "track/TrackData.h"

#include <stdexcept>

namespace track {

namespace {

[[noreturn]] void throwIndexOutOfBounds() {
  throw std::out_of_range("Index out of bounds");
}

}  // namespace

TrackPoint TrackData::getPoint(std::size_t i) const {
  TrackPoint p = pointAt(i);
  p.x *= 0.25;
  p.y *= 0.25;
  p.width *= 0.25;
  p.offset *= 0.25;
  return p;
}

TrackPoint TrackData::copyPoint(std::size_t i) const {
  return pointAt(i);
}

const TrackPoint& TrackData::pointAt(std::size_t i) const {
  if (i >= points.size()) throwIndexOutOfBounds();
  return points[i];
}

TrackPoint& TrackData::pointAt(std::size_t i) {
  if (i >= points.size()) throwIndexOutOfBounds();
  return points[i];
}

const TrackPoint& TrackData::positionAt(std::size_t i) const {
  if (i >= positions.size()) throwIndexOutOfBounds();
  return positions[i];
}

std::size_t TrackData::nearestPointIndex(const TrackPoint& p) const {
  std::size_t best = 0;
  double bestDistance = 999999999999.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TrackPoint q = getPoint(i);
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double distance = dx * dx + dy * dy;
    // Strictly smaller only: of two equally near points the lower index wins.
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

}  // namespace track
