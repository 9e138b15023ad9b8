#pragma once
#include <cstddef>
#include <vector>

namespace track {
struct TrackData;
}

namespace race {

// Where a world position lies along the lap.
struct PathPosition {
  int segment = 0;         // the piece of path beside it; piece 0 starts at the finish line
  double lapFraction = 0;  // how far round the lap: 0 at the finish line, towards 1 before it
  double distance = 0;     // world units from the path
  double directionX = 0;   // the track's direction there, a unit vector
  double directionY = 0;
};

// Where a car is put back on the road: world units, and a heading in radians (0 drives down
// the screen, as Car::setPosition takes it).
struct RoadPose {
  double x = 0;
  double y = 0;
  double heading = 0;
};

// The track's path as one lap: from the finish line (the path's last point) through the path's
// points in order and back to it, measured in world units. Tells how far round the lap a car
// is and where the road is to put a car back on it.
class LapPath {
 public:
  // Further than this from the pieces around its last one (world units, about twice a road's
  // width) a car is off the road, and looked up along the whole lap.
  static constexpr double kFarFromPath = 120.0;

  explicit LapPath(const track::TrackData& track);

  // Pieces of path: as many as the track has points (0 for a track of fewer than two).
  int segmentCount() const { return static_cast<int>(start_.size()); }
  double length() const { return length_; }  // world units, a few thousand on a real track
  // The halfway line's place in the lap, 0 .. 1 (about 0.5).
  double halfwayFraction() const { return halfway_; }

  // Projects a world position on the path. Given the piece a car was last beside (`near`),
  // only the pieces a few either side of it are searched, so where the road passes close to
  // itself a car keeps to its own part of the lap; a position far from all of them (off the
  // road, or a car put elsewhere) is looked up along the whole lap, as is one with near < 0.
  PathPosition locate(double x, double y, int near = -1) const;
  // The index in the track's path of the point where a piece starts.
  std::size_t trackPointOf(int segment) const;
  // On the middle of the road just short of the point where a piece starts, facing along the
  // track: where a car that left the road beside that piece is put back.
  RoadPose roadPoseAt(int segment) const;

 private:
  PathPosition project(int segment, double x, double y) const;
  PathPosition nearestAmong(int first, int count, double x, double y) const;

  std::size_t trackPoints_ = 0;
  std::vector<double> x_, y_;              // lap-ordered path points, world units
  std::vector<double> centreX_, centreY_;  // the road's middle at each of them
  std::vector<double> start_;              // distance from the finish line to each of them
  double length_ = 0;
  double halfway_ = 0.5;
};

}  // namespace race
