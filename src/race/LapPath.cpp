#include "race/LapPath.h"

#include <cmath>

#include "track/Geometry.h"
#include "track/TrackData.h"

namespace race {
namespace {

// A car keeps to the pieces this many either side of its last one (about 300 world units on the
// shipped tracks, far more than a frame's movement).
constexpr int kNearSegments = 6;
// A car put back stands this far (world units) short of the point, so a line drawn across the
// road there is still ahead of it.
constexpr double kShortOfPoint = 2.0;

}  // namespace

LapPath::LapPath(const track::TrackData& track) {
  const std::size_t n = track.pointCount();
  if (n < 2) return;
  trackPoints_ = n;
  // Lap point 0 is the finish line, the path's last point; then the path in order.
  for (std::size_t j = 0; j < n; ++j) {
    const track::TrackPoint& p = track.points[(n - 1 + j) % n];
    x_.push_back(p.x);
    y_.push_back(p.y);
    const track::EdgePoints edges = track::edgePoints(p, 1.0f);
    centreX_.push_back((edges.first.x + edges.second.x) * 0.5);
    centreY_.push_back((edges.first.y + edges.second.y) * 0.5);
    start_.push_back(length_);
    const track::TrackPoint& next = track.points[j % n];
    length_ += std::hypot(next.x - p.x, next.y - p.y);
  }
  // The halfway line stands at the path's middle index, lap point n / 2 + 1.
  if (length_ > 0) halfway_ = start_[(n / 2 + 1) % n] / length_;
}

PathPosition LapPath::project(int segment, double x, double y) const {
  const int n = segmentCount();
  const int next = (segment + 1) % n;
  const double ax = x_[segment], ay = y_[segment];
  const double dx = x_[next] - ax, dy = y_[next] - ay;
  const double squared = dx * dx + dy * dy;
  double t = squared > 0 ? ((x - ax) * dx + (y - ay) * dy) / squared : 0;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  const double pieceLength = std::sqrt(squared);
  PathPosition position;
  position.segment = segment;
  const double offX = x - (ax + t * dx), offY = y - (ay + t * dy);
  position.distance = std::sqrt(offX * offX + offY * offY);
  position.lapFraction = length_ > 0 ? (start_[segment] + t * pieceLength) / length_ : 0;
  if (pieceLength > 0) {
    position.directionX = dx / pieceLength;
    position.directionY = dy / pieceLength;
  }
  return position;
}

PathPosition LapPath::nearestAmong(int first, int count, double x, double y) const {
  const int n = segmentCount();
  PathPosition best = project(((first % n) + n) % n, x, y);
  for (int k = 1; k < count; ++k) {
    const PathPosition candidate = project((((first + k) % n) + n) % n, x, y);
    if (candidate.distance < best.distance) best = candidate;
  }
  return best;
}

PathPosition LapPath::locate(double x, double y, int near) const {
  const int n = segmentCount();
  if (n == 0) return {};
  if (near >= 0 && 2 * kNearSegments + 1 < n) {
    const PathPosition local = nearestAmong(near - kNearSegments, 2 * kNearSegments + 1, x, y);
    if (local.distance <= kFarFromPath) return local;
  }
  return nearestAmong(0, n, x, y);
}

std::size_t LapPath::trackPointOf(int segment) const {
  if (trackPoints_ == 0) return 0;
  return (trackPoints_ - 1 + static_cast<std::size_t>(segment)) % trackPoints_;
}

RoadPose LapPath::roadPoseAt(int segment) const {
  const int n = segmentCount();
  if (n == 0) return {};
  segment = ((segment % n) + n) % n;
  const PathPosition along = project(segment, x_[segment], y_[segment]);
  RoadPose pose;
  pose.x = centreX_[segment] - along.directionX * kShortOfPoint;
  pose.y = centreY_[segment] - along.directionY * kShortOfPoint;
  // A heading h drives along (sin h, cos h).
  pose.heading = std::atan2(along.directionX, along.directionY);
  return pose;
}

}  // namespace race
