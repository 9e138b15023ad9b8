#include "track/StartGrid.h"

#include <algorithm>
#include <cmath>

namespace track::startgrid {

namespace {

// Where the line lies `behind` world units before the finish, with its width and direction.
struct Spot {
  double x = 0;
  double y = 0;
  double width = 0;
  double forwardX = 1;
  double forwardY = 0;
};

class ClosedLine {
 public:
  explicit ClosedLine(const std::vector<TrackPoint>& loop) : points_(loop) {
    points_.push_back(loop.front());
    distances_.push_back(0.0);
    for (std::size_t i = 1; i < points_.size(); ++i) {
      const double step =
          std::hypot(points_[i].x - points_[i - 1].x, points_[i].y - points_[i - 1].y);
      distances_.push_back(distances_.back() + step);
    }
  }

  double length() const { return distances_.back(); }

  Spot before(double behind) const {
    const double total = length();
    double at = total - std::fmod(behind, total);
    if (at >= total) at -= total;
    const auto next = std::upper_bound(distances_.begin() + 1, distances_.end() - 1, at);
    const std::size_t i = static_cast<std::size_t>(next - distances_.begin());
    const TrackPoint& a = points_[i - 1];
    const TrackPoint& b = points_[i];
    const double span = std::max(distances_[i] - distances_[i - 1], 1e-9);
    const double k = (at - distances_[i - 1]) / span;
    Spot spot;
    spot.x = a.x + k * (b.x - a.x);
    spot.y = a.y + k * (b.y - a.y);
    spot.width = a.width + k * (b.width - a.width);
    spot.forwardX = (b.x - a.x) / span;
    spot.forwardY = (b.y - a.y) / span;
    return spot;
  }

 private:
  std::vector<TrackPoint> points_;
  std::vector<double> distances_;
};

}  // namespace

std::vector<TrackPoint> layOut(const std::vector<TrackPoint>& loop, int count) {
  std::vector<TrackPoint> grid;
  if (loop.size() < 2) return grid;
  const ClosedLine line(loop);
  if (line.length() <= 0) return grid;
  count = std::clamp(count, 0, kMaxPlaces);
  for (int slot = 0; slot < count; ++slot) {
    const int row = slot / 2;
    const int column = slot % 2;
    const Spot s = line.before(kFront + row * kRowSpacing + column * kRowSpacing * 0.5);
    // y grows downward, so (−forward.y, forward.x) points to the right of the direction of travel.
    const double side = (column == 0 ? -1.0 : 1.0) * kLateral * s.width;
    TrackPoint place;
    place.x = s.x - s.forwardY * side;
    place.y = s.y + s.forwardX * side;
    // A car on rotation r drives toward (cos r, −sin r) on screen.
    place.rotation = std::atan2(-s.forwardY, s.forwardX);
    grid.push_back(place);
  }
  return grid;
}

}  // namespace track::startgrid
