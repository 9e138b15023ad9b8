#pragma once
#include <array>
#include <string>
#include <vector>

namespace track {
struct TrackData;
struct TrackPoint;
}  // namespace track

namespace race {

// A straight segment in world units.
struct LineSegment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The line across the road at a path point given in world units. It reaches half a road width
// beyond each edge, so a car that cuts a corner over the grass still crosses it.
LineSegment lineAcrossRoad(const track::TrackPoint& worldPoint);
// The finish line stands at the path's last point (the file's first point); the halfway line
// at the middle index. A track without points gives degenerate lines that nothing crosses.
LineSegment finishLineOf(const track::TrackData& track);
LineSegment halfwayLineOf(const track::TrackData& track);

// The laps a race can have. The menu offers no more, and a race pulls a hand-edited count
// from "options.ini" into this range.
inline constexpr int kMinLaps = 1;
inline constexpr int kMaxLaps = 99;

// The cells of one result row: "Pos.", "Driver", "Total time", "Difference", "Best lap".
using ResultCells = std::array<std::wstring, 5>;

// The race's referee: lap counting, lap times, best laps, positions and the race clock.
// A lap counts when a car crosses the finish line after crossing the halfway line since its
// previous lap; positions change only when a car completes a lap, and a car passes only the
// cars that have completed fewer laps.
class LapTable {
 public:
  // carCount ≥ 1, lapCount ≥ 1; frameTime in seconds (1/62 with 16 ms frames).
  LapTable(int carCount, int lapCount, float frameTime, LineSegment finish, LineSegment halfway);

  // One car's movement in this frame (world units, from where it stood before the physics step
  // to where it stands now). Call for every car in index order, then endFrame(). Returns true
  // when this movement completed the car's last lap (the results need refreshing).
  bool carMoved(int car, double fromX, double fromY, double toX, double toY);
  void endFrame() { raceClock_ += frameTime_; }
  // Seconds added to a racing car's total time (being put back on the road); lap times and
  // the order of crossing the line stay as driven. Nothing once the car has finished.
  void addPenalty(int car, float seconds);
  float penalty(int car) const { return penalties_[car]; }

  int carCount() const { return carCount_; }
  int lapCount() const { return lapCount_; }
  int lapsDone(int car) const { return lapsDone_[car]; }
  bool finished(int car) const { return lapsDone_[car] >= lapCount_; }
  bool passedHalfway(int car) const { return passedHalfway_[car]; }
  // Seconds of car's lap `lap` (0-based); the lap in progress grows every frame.
  float lapTime(int car, int lap) const { return lapTimes_[car][lap]; }
  float bestLap(int car) const { return bestLaps_[car]; }  // -1 until a lap is complete
  // order()[p] is the car at position p + 1.
  const std::vector<int>& order() const { return order_; }
  float raceClock() const { return raceClock_; }
  float leaderLapTime() const { return leaderLapTime_; }
  const LineSegment& finishLine() const { return finish_; }
  const LineSegment& halfwayLine() const { return halfway_; }

  // The lap number shown for a car: the lap in progress, and the last lap once it has finished.
  int lapShown(int car) const;
  // The lap in progress, or the last lap's time once the car has finished.
  float currentLapTime(int car) const;
  // The last completed lap, or -1 before the first.
  float previousLapTime(int car) const;
  // Sum of the completed laps and the penalties.
  float totalTime(int car) const;

  // The rows of the result list by position; names[c] is car c's driver. The rows follow
  // `order` (order[p] is the car at position p + 1: the live standings while racing), or the
  // table's own order.
  std::vector<ResultCells> results(const std::vector<std::wstring>& names) const;
  std::vector<ResultCells> results(const std::vector<std::wstring>& names,
                                   const std::vector<int>& order) const;

 private:
  void rerank(int car);

  int carCount_;
  int lapCount_;
  float frameTime_;
  LineSegment finish_;
  LineSegment halfway_;
  std::vector<std::vector<float>> lapTimes_;
  std::vector<float> bestLaps_;
  std::vector<float> penalties_;
  std::vector<int> lapsDone_;
  std::vector<bool> passedHalfway_;
  std::vector<int> order_;
  float raceClock_ = 0.0f;
  // The leader's race time when it last completed a lap: the clock, and its penalties.
  float leaderLapTime_ = -1.0f;
};

}  // namespace race
