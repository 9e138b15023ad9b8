#include "editor/TrackChecks.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "common/Segments.h"
#include "drivers/RoadNeeds.h"
#include "physics/RectangleContact.h"
#include "physics/StartPosition.h"
#include "track/Geometry.h"
#include "track/SurfaceMap.h"
#include "track/TrackLoader.h"

namespace editor {

namespace {

std::string wholeNumber(double value) {
  return std::to_string(std::lround(value));
}

Finding at(Severity severity, std::string message, const track::TrackPoint& where) {
  return Finding{severity, std::move(message), true, where.x, where.y};
}

// The centre line in driving order from the finish line, closed: point i of the file runs to
// point i + 1, and the last back to the first. Distances along it from the finish.
class Loop {
 public:
  explicit Loop(const std::vector<track::TrackPoint>& filePoints) : points_(filePoints) {
    double distance = 0;
    for (std::size_t i = 0; i < points_.size(); ++i) {
      starts_.push_back(distance);
      distance += segmentLength(i);
    }
    length_ = distance;
  }

  std::size_t size() const { return points_.size(); }
  const track::TrackPoint& point(std::size_t i) const { return points_[i % points_.size()]; }
  double length() const { return length_; }
  double startOf(std::size_t i) const { return starts_[i]; }

  // Distance from the finish along the loop to the point of the centre line nearest to (x, y).
  double distanceAlong(double x, double y) const {
    double best = 1e300, along = 0;
    for (std::size_t i = 0; i < points_.size(); ++i) {
      const track::TrackPoint& a = point(i);
      const track::TrackPoint& b = point(i + 1);
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double span = dx * dx + dy * dy;
      const double t =
          span > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / span, 0.0, 1.0) : 0.0;
      const double ex = a.x + t * dx - x, ey = a.y + t * dy - y;
      const double distance = ex * ex + ey * ey;
      if (distance < best) {
        best = distance;
        along = starts_[i] + t * std::sqrt(span);
      }
    }
    return along;
  }

 private:
  double segmentLength(std::size_t i) const {
    return std::hypot(point(i + 1).x - point(i).x, point(i + 1).y - point(i).y);
  }

  std::vector<track::TrackPoint> points_;
  std::vector<double> starts_;
  double length_ = 0;
};

// Points closer than this are on the same spot, world units (a twentieth of a metre).
constexpr double kSameSpot = 0.5;

void checkCrossings(const Loop& loop, std::vector<Finding>& findings) {
  const std::size_t n = loop.size();
  if (n < 4) return;
  for (std::size_t i = 0; i < n; ++i) {
    // Neighbouring pieces share a point; the piece after the next is the first that can cross.
    for (std::size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;
      const track::TrackPoint& a = loop.point(i);
      const track::TrackPoint& b = loop.point(i + 1);
      const track::TrackPoint& p = loop.point(j);
      const track::TrackPoint& q = loop.point(j + 1);
      // Pieces that meet at a point both pass through only touch there, so a road running
      // twice through one spot shows by its points.
      if (std::hypot(a.x - p.x, a.y - p.y) < kSameSpot) {
        findings.push_back(at(Severity::Warning,
                              "The road crosses itself where points " + std::to_string(i + 1) +
                                  " and " + std::to_string(j + 1) + " lie on the same spot.",
                              a));
      }
      if (common::segmentsCross(a.x, a.y, b.x, b.y, p.x, p.y, q.x, q.y)) {
        // The mark goes where the two stretches meet.
        const double den = (b.x - a.x) * (q.y - p.y) - (b.y - a.y) * (q.x - p.x);
        const double t = ((p.x - a.x) * (q.y - p.y) - (p.y - a.y) * (q.x - p.x)) / den;
        findings.push_back(
            at(Severity::Warning,
               "The road crosses itself between points " + std::to_string(i + 1) + " and " +
                   std::to_string(i + 2) + ".",
               track::TrackPoint{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), 0, 0, 0}));
      }
    }
  }
}

// One finding per stretch of narrow road, naming its narrowest width.
void checkWidths(const Loop& loop, std::vector<Finding>& findings) {
  const auto narrow = [&](std::size_t i) {
    return loop.point(i).width < drivers::roadneeds::kNarrowestRoad;
  };
  for (std::size_t i = 0; i < loop.size(); ++i) {
    if (!narrow(i)) continue;
    std::size_t last = i;
    double narrowest = loop.point(i).width;
    while (last + 1 < loop.size() && narrow(last + 1)) {
      narrowest = std::min(narrowest, loop.point(++last).width);
    }
    const std::string where =
        last == i ? "at point " + std::to_string(i + 1)
                  : "from point " + std::to_string(i + 1) + " to " + std::to_string(last + 1);
    findings.push_back(at(Severity::Warning,
                          "The road is " + wholeNumber(narrowest) + " wide " + where +
                              ": the computer drivers' path search needs " +
                              wholeNumber(drivers::roadneeds::kNarrowestRoad) + ".",
                          loop.point(i)));
    i = last;
  }
}

// Whether the car on this place stands on road everywhere, on the map the race drives on.
bool onRoad(const track::SurfaceMap& map, const track::TrackPoint& place) {
  const physics::ContactRectangle car = physics::startFootprint(place);
  const double c = std::cos(car.angle), s = std::sin(car.angle);
  for (const double across : {-car.sx, 0.0, car.sx}) {
    for (const double along : {-car.sy, 0.0, car.sy}) {
      // The rectangle's own axes: sx across the car, sy along it, turned by its angle.
      const double x = car.x + across * c - along * s;
      const double y = car.y + across * s + along * c;
      const auto row = static_cast<long long>(std::floor(y / track::SurfaceMap::kRaceCellSize));
      const auto column = static_cast<long long>(std::floor(x / track::SurfaceMap::kRaceCellSize));
      // The cars take any cell inside the map that is not grass as road.
      if (!map.inside(row, column) || map.at(row, column) == 0) return false;
    }
  }
  return true;
}

void checkGrid(const track::TrackData& track, const Loop& loop, std::vector<Finding>& findings) {
  const std::unique_ptr<track::SurfaceMap> map =
      track::buildSurfaceMap(track, track::SurfaceMap::kRaceCellSize);
  // The halfway line stands at the middle of the game's list, one further on in file order.
  const std::size_t halfway = (track.points.size() / 2 + 1) % loop.size();
  const double halfwayAlong = loop.startOf(halfway);
  for (std::size_t i = 0; i < track.positions.size(); ++i) {
    const track::TrackPoint& place = track.positions[i];
    const std::string name = "Grid place " + std::to_string(i + 1);
    if (!onRoad(*map, place)) {
      findings.push_back(at(Severity::Warning, name + " is off the road.", place));
    }
    // A car must cross the halfway line before the finish counts its lap: from ahead of the
    // halfway line it would finish a lap early.
    const double along = loop.distanceAlong(place.x, place.y);
    if (along <= halfwayAlong) {
      findings.push_back(at(Severity::Warning, name + " is ahead of the finish line.", place));
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (physics::rectanglesTouch(physics::startFootprint(track.positions[j]),
                                   physics::startFootprint(place))) {
        findings.push_back(at(Severity::Warning,
                              name + " overlaps grid place " + std::to_string(j + 1) + ".", place));
      }
    }
  }
}

}  // namespace

std::vector<Finding> checkTrack(const track::TrackData& track) {
  std::vector<Finding> findings;
  std::string reason;
  const bool loadable = track::trackLoadable(track, &reason);
  if (!loadable) findings.push_back({Severity::Refusal, reason});
  if (track.positions.empty()) {
    findings.push_back({Severity::Refusal, "There is no start grid: the game will not race it."});
  }
  const Loop loop(track::pathInFileOrder(track));
  if (loop.size() == 2) {
    findings.push_back({Severity::Warning, "Two points make a road there and back: add more."});
  }
  checkCrossings(loop, findings);
  checkWidths(loop, findings);
  // The race's map can only be built for a track the game loads.
  if (loadable) checkGrid(track, loop, findings);
  return findings;
}

bool gameRefuses(const std::vector<Finding>& findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const Finding& f) { return f.severity == Severity::Refusal; });
}

std::string findingLine(const Finding& finding) {
  return (finding.severity == Severity::Refusal ? "error: " : "warning: ") + finding.message;
}

}  // namespace editor
