#include "drivers/LineSmoothing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace drivers {

namespace driving {

namespace {

// Weights of one sweep: the fourth difference straightens the bend (least curvature), the
// second difference a little of the length.
constexpr double kBendWeight = 0.05;
constexpr double kLengthWeight = 0.05;
constexpr int kPushSteps = 4;

}  // namespace

std::vector<track::TrackPoint> smoothInsideRoad(std::vector<track::TrackPoint> line, bool closed,
                                                const RoadClearance& clearance,
                                                const SmoothingSettings& settings) {
  const auto count = static_cast<long long>(line.size());
  if (count < 5) return line;
  const auto node = [&](long long i) -> const track::TrackPoint& {
    return line[static_cast<std::size_t>((i % count + count) % count)];
  };
  const long long first = closed ? 0 : 2;
  const long long last = closed ? count : count - 2;
  for (int pass = 0; pass < settings.passes; ++pass) {
    for (long long i = first; i < last; ++i) {
      const track::TrackPoint& a = node(i - 2);
      const track::TrackPoint& b = node(i - 1);
      const track::TrackPoint& c = node(i);
      const track::TrackPoint& d = node(i + 1);
      const track::TrackPoint& e = node(i + 2);
      const double bendX = a.x - 4 * b.x + 6 * c.x - 4 * d.x + e.x;
      const double bendY = a.y - 4 * b.y + 6 * c.y - 4 * d.y + e.y;
      const double moveX = -kBendWeight * bendX + kLengthWeight * ((b.x + d.x) / 2 - c.x);
      const double moveY = -kBendWeight * bendY + kLengthWeight * ((b.y + d.y) / 2 - c.y);
      track::TrackPoint& here = line[static_cast<std::size_t>(i)];
      // A node that starts too near the edge may still move away from it.
      const double room = std::min(settings.margin, clearance.at(here.x, here.y));
      for (double share : {1.0, 0.5}) {
        const double x = here.x + moveX * share;
        const double y = here.y + moveY * share;
        const double roomThere = clearance.at(x, y);
        if (roomThere >= room && roomThere > 0) {
          here.x = x;
          here.y = y;
          break;
        }
      }
    }
  }
  return line;
}

void pushInsideRoad(std::vector<track::TrackPoint>& line, const RoadClearance& clearance,
                    double margin) {
  for (track::TrackPoint& node : line) {
    for (int step = 0; step < kPushSteps; ++step) {
      const double room = clearance.at(node.x, node.y);
      if (room >= margin) break;
      const double slopeX = clearance.at(node.x + 1, node.y) - clearance.at(node.x - 1, node.y);
      const double slopeY = clearance.at(node.x, node.y + 1) - clearance.at(node.x, node.y - 1);
      const double slope = std::hypot(slopeX, slopeY);
      if (slope == 0) break;
      node.x += slopeX / slope * (margin - room);
      node.y += slopeY / slope * (margin - room);
    }
  }
}

}  // namespace driving

}  // namespace drivers
