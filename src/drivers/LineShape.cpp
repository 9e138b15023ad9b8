#include "drivers/LineShape.h"

#include <algorithm>
#include <cmath>

namespace drivers {

namespace driving {

namespace {

double distance(const track::TrackPoint& a, const track::TrackPoint& b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

}  // namespace

std::vector<track::TrackPoint> resampleLine(const std::vector<track::TrackPoint>& line,
                                            double spacing, bool closed) {
  if (line.size() < 2 || !(spacing > 0)) return line;
  std::vector<track::TrackPoint> even;
  even.push_back(line.front());
  double left = spacing;  // still to walk before the next point is set down
  const std::size_t pieces = closed ? line.size() : line.size() - 1;
  for (std::size_t i = 0; i < pieces; ++i) {
    const track::TrackPoint& a = line[i];
    const track::TrackPoint& b = line[(i + 1) % line.size()];
    const double piece = distance(a, b);
    double walked = 0;
    while (piece - walked >= left) {
      walked += left;
      track::TrackPoint p;
      p.x = a.x + (b.x - a.x) * walked / piece;
      p.y = a.y + (b.y - a.y) * walked / piece;
      even.push_back(p);
      left = spacing;
    }
    left -= piece - walked;
  }
  const track::TrackPoint& end = closed ? line.front() : line.back();
  // The walk stops on the end point or short of it: a point less than half a step away merges.
  if (even.size() > 1 && distance(even.back(), end) < spacing * 0.5) even.pop_back();
  if (!closed) even.push_back(end);
  return even;
}

std::vector<double> loopCurvature(const std::vector<track::TrackPoint>& loop, int reach) {
  const auto count = static_cast<long long>(loop.size());
  std::vector<double> curvature(loop.size(), 0.0);
  if (count < 3 || reach < 1) return curvature;
  const long long step = std::min<long long>(reach, (count - 1) / 2);
  for (long long i = 0; i < count; ++i) {
    const track::TrackPoint& a = loop[static_cast<std::size_t>((i - step + count) % count)];
    const track::TrackPoint& b = loop[static_cast<std::size_t>(i)];
    const track::TrackPoint& c = loop[static_cast<std::size_t>((i + step) % count)];
    const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    const double sides = distance(a, b) * distance(b, c) * distance(a, c);
    curvature[static_cast<std::size_t>(i)] = sides > 0 ? 2 * cross / sides : 0.0;
  }
  return curvature;
}

std::vector<double> loopSteps(const std::vector<track::TrackPoint>& loop) {
  std::vector<double> steps(loop.size(), 0.0);
  for (std::size_t i = 0; i < loop.size(); ++i)
    steps[i] = distance(loop[i], loop[(i + 1) % loop.size()]);
  return steps;
}

double lineLength(const std::vector<track::TrackPoint>& line, bool closed) {
  double length = 0;
  for (std::size_t i = 1; i < line.size(); ++i) length += distance(line[i - 1], line[i]);
  if (closed && line.size() > 1) length += distance(line.back(), line.front());
  return length;
}

std::vector<double> speedProfile(const std::vector<double>& curvature,
                                 const std::vector<double>& steps, double lateralGrip,
                                 double gripFadeSpeed, double braking, double topSpeed) {
  // v² × bend = grip × (1 - v² / fade²) solved for v.
  const double fade = gripFadeSpeed > 0 ? lateralGrip / (gripFadeSpeed * gripFadeSpeed) : 0.0;
  std::vector<double> speed(curvature.size(), topSpeed);
  for (std::size_t i = 0; i < curvature.size(); ++i) {
    const double bend = std::fabs(curvature[i]) + fade;
    if (bend > 0) speed[i] = std::min(topSpeed, std::sqrt(lateralGrip / bend));
  }
  // Braking reaches back from every slow point; on a loop it may reach back past the start,
  // so the walk goes round twice.
  const std::size_t count = speed.size();
  for (std::size_t k = 2 * count; k-- > 0;) {
    const std::size_t i = k % count;
    const double next = speed[(i + 1) % count];
    const double step = i < steps.size() ? steps[i] : 0.0;
    speed[i] = std::min(speed[i], std::sqrt(next * next + 2 * braking * step));
  }
  return speed;
}

}  // namespace driving

}  // namespace drivers
