#include "drivers/LineShape.h"

#include <algorithm>
#include <cmath>

namespace driving {

namespace {

double distance(const TrackPoint& a, const TrackPoint& b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

}  // namespace

double loopLength(const std::vector<TrackPoint>& loop) {
  double length = 0;
  for (std::size_t i = 0; i < loop.size(); ++i)
    length += distance(loop[i], loop[(i + 1) % loop.size()]);
  return length;
}

std::vector<TrackPoint> resampleLoop(const std::vector<TrackPoint>& loop, double spacing) {
  if (loop.size() < 2 || !(spacing > 0)) return loop;
  std::vector<TrackPoint> even;
  even.push_back(loop.front());
  double left = spacing;  // still to walk before the next point is set down
  for (std::size_t i = 0; i < loop.size(); ++i) {
    const TrackPoint& a = loop[i];
    const TrackPoint& b = loop[(i + 1) % loop.size()];
    const double piece = distance(a, b);
    double walked = 0;
    while (piece - walked >= left) {
      walked += left;
      TrackPoint p;
      p.x = a.x + (b.x - a.x) * walked / piece;
      p.y = a.y + (b.y - a.y) * walked / piece;
      even.push_back(p);
      left = spacing;
    }
    left -= piece - walked;
  }
  // The walk ends on the first point again, or just short of it: that point is already there.
  if (even.size() > 1 && distance(even.back(), even.front()) < spacing * 0.5) even.pop_back();
  return even;
}

std::vector<double> loopCurvature(const std::vector<TrackPoint>& loop, int reach) {
  const auto count = static_cast<long long>(loop.size());
  std::vector<double> curvature(loop.size(), 0.0);
  if (count < 3 || reach < 1) return curvature;
  const long long step = std::min<long long>(reach, (count - 1) / 2);
  for (long long i = 0; i < count; ++i) {
    const TrackPoint& a = loop[static_cast<std::size_t>((i - step + count) % count)];
    const TrackPoint& b = loop[static_cast<std::size_t>(i)];
    const TrackPoint& c = loop[static_cast<std::size_t>((i + step) % count)];
    const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    const double sides = distance(a, b) * distance(b, c) * distance(a, c);
    curvature[static_cast<std::size_t>(i)] = sides > 0 ? 2 * cross / sides : 0.0;
  }
  return curvature;
}

std::vector<double> speedProfile(const std::vector<double>& curvature, double spacing,
                                 double lateralGrip, double braking, double topSpeed) {
  std::vector<double> speed(curvature.size(), topSpeed);
  for (std::size_t i = 0; i < curvature.size(); ++i) {
    const double bend = std::fabs(curvature[i]);
    if (bend > 0) speed[i] = std::min(topSpeed, std::sqrt(lateralGrip / bend));
  }
  // Braking reaches back from every slow point; on a loop it may reach back past the start,
  // so the walk goes round twice.
  const std::size_t count = speed.size();
  for (std::size_t k = 2 * count; k-- > 0;) {
    const std::size_t i = k % count;
    const double next = speed[(i + 1) % count];
    speed[i] = std::min(speed[i], std::sqrt(next * next + 2 * braking * spacing));
  }
  return speed;
}

}  // namespace driving
