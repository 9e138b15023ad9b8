#include "editor/Handles.h"

#include <algorithm>
#include <cmath>

#include "physics/StartPosition.h"
#include "track/Geometry.h"

namespace editor {

namespace {

double squaredDistance(double ax, double ay, double bx, double by) {
  return (ax - bx) * (ax - bx) + (ay - by) * (ay - by);
}

// Whether world point (x, y) lies on the car standing on `place`.
bool onCar(const track::TrackPoint& place, double x, double y) {
  const physics::ContactRectangle car = physics::startFootprint(place);
  const double c = std::cos(car.angle), s = std::sin(car.angle);
  const double dx = x - car.x, dy = y - car.y;
  // Back into the car's own axes: across (cos, sin), along (−sin, cos).
  const double across = dx * c + dy * s;
  const double along = -dx * s + dy * c;
  return std::fabs(across) <= car.sx && std::fabs(along) <= car.sy;
}

double segmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double span = dx * dx + dy * dy;
  const double t = span > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / span, 0.0, 1.0) : 0;
  return std::sqrt(squaredDistance(px, py, ax + t * dx, ay + t * dy));
}

}  // namespace

ScreenPoint edgeHandle(const TrackDocument& document, const Viewport& view, std::size_t index,
                       bool rightEdge) {
  const std::vector<track::TrackPoint>& points = document.track().points;
  const std::size_t n = points.size();
  // File point i is the game's point i − 1; the file's first is the game's last.
  const track::EdgePoints edges = track::edgePoints(points[(index + n - 1) % n], 1.0f);
  const track::TrackPoint& edge = rightEdge ? edges.first : edges.second;
  return {view.toScreenX(edge.x), view.toScreenY(edge.y)};
}

ScreenPoint knobOf(const track::TrackPoint& place, const Viewport& view) {
  // A car on rotation r drives toward (cos r, −sin r).
  return {view.toScreenX(place.x) + std::cos(place.rotation) * kKnobDistance,
          view.toScreenY(place.y) - std::sin(place.rotation) * kKnobDistance};
}

Handle handleAt(const TrackDocument& document, const Viewport& view, const Handle& selected,
                double sx, double sy) {
  const TrackContent& content = document.content();
  const double pick = kPickRadius * kPickRadius;
  if (selected.kind == HandleKind::Place && selected.index < content.places.size()) {
    const ScreenPoint knob = knobOf(content.places[selected.index], view);
    if (squaredDistance(sx, sy, knob.x, knob.y) <= pick) {
      return {HandleKind::PlaceKnob, selected.index};
    }
  }
  if (selected.kind == HandleKind::Point && selected.index < content.path.size()) {
    for (const bool right : {true, false}) {
      const ScreenPoint edge = edgeHandle(document, view, selected.index, right);
      if (squaredDistance(sx, sy, edge.x, edge.y) <= pick) {
        return {right ? HandleKind::RightEdge : HandleKind::LeftEdge, selected.index};
      }
    }
  }
  const double wx = view.toWorldX(sx), wy = view.toWorldY(sy);
  // Cars are drawn over the path's handles, so they are taken first.
  for (std::size_t i = content.places.size(); i-- > 0;) {
    if (onCar(content.places[i], wx, wy)) return {HandleKind::Place, i};
  }
  // The nearest point within reach; on a tie the earlier one, which is drawn on top.
  Handle best;
  double bestDistance = pick;
  for (std::size_t i = 0; i < content.path.size(); ++i) {
    const double d = squaredDistance(sx, sy, view.toScreenX(content.path[i].x),
                                     view.toScreenY(content.path[i].y));
    if (d <= pick && (best.kind == HandleKind::None || d < bestDistance)) {
      bestDistance = d;
      best = {HandleKind::Point, i};
    }
  }
  if (best.kind != HandleKind::None) return best;
  const std::size_t n = content.path.size();
  for (std::size_t i = 0; n >= 2 && i < n; ++i) {
    const track::TrackPoint& a = content.path[i];
    const track::TrackPoint& b = content.path[(i + 1) % n];
    if (segmentDistance(sx, sy, view.toScreenX(a.x), view.toScreenY(a.y), view.toScreenX(b.x),
                        view.toScreenY(b.y)) <= kPickRadius * 0.7) {
      return {HandleKind::Segment, i};
    }
  }
  return {};
}

}  // namespace editor
