#include "track/TrackData.h"

#include <cmath>
#include <stdexcept>

#include "common/Angle.h"

namespace track {

namespace {

[[noreturn]] void throwIndexOutOfBounds() {
  throw std::out_of_range("Index out of bounds");
}

// The direction across the path at P, 90 degrees clockwise on screen from the mean direction of
// travel from A through P to B.
double crossDirection(const TrackPoint& a, const TrackPoint& p, const TrackPoint& b) {
  const double in = std::atan2((p.y - a.y) * 0.5, (p.x - a.x) * 0.5);
  const double out = std::atan2((b.y - p.y) * 0.5, (b.x - p.x) * 0.5);
  double mean;
  if ((in < 0 && out < 0) || (in >= 0 && out >= 0) || std::fabs(in) + std::fabs(out) <= common::kPi)
    mean = (in + out) / 2;
  else
    mean = (in + out + common::kTwoPi) / 2;
  return mean + common::kHalfPi;
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

void setPathFromFile(TrackData& track, const std::vector<TrackPoint>& file) {
  const std::size_t count = file.size();
  track.points.clear();
  track.points.reserve(count);
  track.extentX = 0;
  track.extentY = 0;
  // The file's first point is the finish line; it goes last so that lap counting meets it at the
  // end of the list.
  for (std::size_t k = 1; k <= count; ++k) {
    const std::size_t i = k % count;
    TrackPoint point = file[i];
    point.rotation = crossDirection(file[(i + count - 1) % count], file[i], file[(i + 1) % count]);
    if (point.x + point.width > track.extentX)
      track.extentX = static_cast<std::int32_t>(point.x + point.width);
    if (point.y + point.width > track.extentY)
      track.extentY = static_cast<std::int32_t>(point.y + point.width);
    track.points.push_back(point);
  }
}

std::vector<TrackPoint> pathInFileOrder(const TrackData& track) {
  std::vector<TrackPoint> file;
  if (track.points.empty()) return file;
  file.reserve(track.points.size());
  file.push_back(track.points.back());
  file.insert(file.end(), track.points.begin(), track.points.end() - 1);
  return file;
}

}  // namespace track
