#pragma once
#include <optional>
#include <vector>

namespace physics {
class Car;
}

namespace race {

class LapPath;
class LapTable;

// How far a car is behind the one ahead of it.
struct Gap {
  int laps = 0;       // > 0: the car ahead is that many laps up, and seconds mean nothing
  float seconds = 0;  // on the same lap: how long ago the car ahead was where this one is
};

// A car's progress in laps: its completed laps plus how far round the current lap it is
// (lapFraction 0 .. 1 from the finish line). A car that has not crossed the halfway line since
// its last lap cannot be in the second half of the lap: standing there it is still behind the
// finish line (at the start, or after crossing the line backwards), a lap short.
double lapProgress(int lapsDone, bool passedHalfway, double lapFraction, double halfwayFraction);

// The live order of the race, worked out every frame from where the cars are on the road:
// finished cars first, in the order they finished; then the others by progress (lapProgress),
// so a car that turns back loses places. It also times the gap to the car ahead at every point
// of the path the car passes, and how long each car has driven against the track's direction.
class Standings {
 public:
  // frameTime: seconds per frame (1/62).
  Standings(const LapPath& path, int carCount, float frameTime);

  // Once per frame, after the lap step; cars in index order. During the countdown too, so the
  // grid order shows before the start.
  void update(const std::vector<physics::Car*>& cars, const LapTable& laps);
  // The car was put somewhere else: its place along the lap is looked up afresh, and its gap
  // is timed again from there.
  void carMoved(int car);

  int carCount() const { return static_cast<int>(progress_.size()); }
  double progress(int car) const { return progress_[static_cast<std::size_t>(car)]; }
  // order()[p] is the car at position p + 1.
  const std::vector<int>& order() const { return order_; }
  int position(int car) const { return position_[static_cast<std::size_t>(car)]; }  // 1-based
  // The piece of the lap (LapPath) the car is beside; -1 before the first update.
  int segment(int car) const { return segment_[static_cast<std::size_t>(car)]; }
  // The piece the car was last beside while near the road: where it left the road, even if
  // it has since wandered close to another part of the track.
  int lastRoadSegment(int car) const { return roadSegment_[static_cast<std::size_t>(car)]; }
  // The gap to the car ahead as last timed (when the car passed a path point the right way),
  // grown while the car stands until the car ahead is further away than that; none for the
  // leader, before it has been timed and while the car drives the wrong way.
  std::optional<Gap> gapAhead(int car) const;
  // Seconds the car has kept moving against the track's direction; 0 once it stops doing so.
  float wrongWaySeconds(int car) const { return wrongWay_[static_cast<std::size_t>(car)]; }
  // Wrong way for more than a second.
  bool wrongWay(int car) const;

 private:
  // When a car last passed a path point, and on which lap (the whole part of its progress).
  struct Passing {
    int lap = -2;
    float time = 0;
  };
  void locateCar(int car, const physics::Car& c, const LapTable& laps);
  void sortOrder(const LapTable& laps);
  void timeGap(int car, int segment, float now);
  // A car that stops (a spin, a crash) passes no point, yet the car ahead drives away: it will
  // pass the next point no sooner than now, so its gap there is at least now − when the car
  // ahead passed it, and the gap shown grows to that.
  void widenGap(int car, int segment, float now);

  const LapPath& path_;
  float frameTime_;
  std::vector<int> segment_;
  std::vector<int> roadSegment_;
  std::vector<double> progress_;
  std::vector<float> wrongWay_;
  std::vector<int> order_;
  std::vector<int> position_;
  std::vector<std::vector<Passing>> passings_;  // per car, per path piece
  std::vector<std::optional<Gap>> gaps_;
};

}  // namespace race
