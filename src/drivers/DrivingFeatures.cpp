#include "drivers/DrivingFeatures.h"

#include <cmath>

#include "common/Angle.h"

namespace drivers {

namespace driving {

namespace {

// Corners of the fuzzy sets: about 17, 34 and 67 degrees.
constexpr double kNear = 0.294524311265625;
constexpr double kMid = 0.58904862253125;
constexpr double kWide = 1.1780972450625;

double trapezoid(double a, double b, double c, double d, double u) {
  if (u >= d) return 0;
  if (u >= b && u <= c) return 1;
  if (u > a && u < b) return (u - a) / (b - a);
  return (d - u) / (d - c);
}

double squared(double v) {
  return v * v;
}

// Into [-π, π] by whole turns.
double intoHalfTurns(double angle) {
  return common::wrapAngle(angle, -common::kPi);
}

}  // namespace

double bearingFromOffset(double u) {
  const double farLeft = u <= -kWide ? 1.0 : (u >= -kMid ? 0.0 : u / -kMid - 1.0);
  const double left = u <= -kWide ? 0.0 : trapezoid(-kWide, -kMid, -kNear, 0.0, u);
  const double right = u <= 0 ? 0.0 : trapezoid(0.0, kNear, kMid, kWide, u);
  const double farRight = u <= kMid ? 0.0 : (u >= kWide ? 1.0 : u / kMid - 1.0);
  return (farRight + right - farLeft - left + 1.0) * 0.5;
}

double bearingFeature(double carAngle, double x, double y, const track::TrackPoint& target) {
  if (!std::isfinite(carAngle)) return 0.5;
  const double carDirection = intoHalfTurns(carAngle + common::kHalfPi);
  const double targetDirection =
      intoHalfTurns(std::atan2(target.y - y * 0.25, target.x - x * 0.25));
  return bearingFromOffset(intoHalfTurns(targetDirection - carDirection));
}

double distanceFeature(double x, double y, const track::TrackPoint& target, double distanceWeight) {
  const double distance = std::sqrt(squared(target.x - x * 0.25) + squared(target.y - y * 0.25));
  const double value = distance / (distanceWeight * 0.25);
  if (!(value >= 0.001)) return 0;  // also catches nan
  return value > 1 ? 1 : value;
}

std::size_t nearestNode(const std::vector<track::TrackPoint>& path, const track::TrackPoint& p) {
  double best = 9999999999.0;
  std::size_t bestIndex = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const double d = squared(path[i].x - p.x) + squared(path[i].y - p.y);
    if (d < best) {
      best = d;
      bestIndex = i;
    }
  }
  return bestIndex;
}

long long unwrapIndex(long long index, long long reference, long long count) {
  long long b = index < reference - count / 2 ? index + count : index;
  if (b > reference + count / 2) b -= count;
  return b;
}

int followCursor(int cursor, std::size_t nearest, std::size_t count) {
  if (count == 0) return cursor;
  const auto n = static_cast<long long>(count);
  const auto d = static_cast<long long>(nearest) % n;
  const long long b = unwrapIndex(d, cursor, n);
  if (b >= cursor - 5 && b <= cursor + 5) return static_cast<int>(d);
  return cursor;
}

double squaredLengthSum(const std::vector<track::TrackPoint>& points, bool closed) {
  double sum = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    sum += squared(points[i].x - points[i - 1].x) + squared(points[i].y - points[i - 1].y);
  }
  if (closed && points.size() > 1) {
    sum +=
        squared(points.front().x - points.back().x) + squared(points.front().y - points.back().y);
  }
  return sum;
}

int planningEffort(int skill) {
  return skill >= 1 && skill <= 35 ? skill + 5 : 10;
}

}  // namespace driving

}  // namespace drivers
