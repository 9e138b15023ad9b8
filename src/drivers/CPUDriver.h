#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drivers/Driver.h"
#include "drivers/DriverLevel.h"
#include "drivers/NeuralNetwork.h"
#include "drivers/PathSearch.h"
#include "drivers/RacingLine.h"
#include "drivers/RoadClearance.h"

namespace drivers {

// A computer driver. It follows a racing line of path nodes (map units): planned over the
// surface map by the grid search, bent inside the road towards the least curvature, and
// improved piece by piece during the race. Every frame it feeds the network its speed as a
// share of the speed the line allows ahead and the bearing and distance of two look-ahead
// nodes, steers around cars close ahead, and adapts how fast it dares to go where it drifted or
// left the road. The level sets how fast it dares, how far it looks and how much work goes
// into the line.
//
// The car must already stand on its start position: the first line is planned from there.
class CPUDriver : public Driver {
 public:
  // When the first line is planned: as the driver is made, or by planFirstLine() later, so a
  // race can plan its whole field on both cores.
  enum class FirstLine { Now, Later };

  // The first computer driver of a race: a new, untrained network (the race trains it). `road`
  // is the track's clearance, which a race works out once for all its drivers and which must
  // outlive the driver; without it the driver works out its own.
  CPUDriver(physics::Car& car, const track::TrackData& track,
            DriverLevel level = DriverLevel::Medium, FirstLine firstLine = FirstLine::Now,
            const RoadClearance* road = nullptr);
  // Every further one: a copy of the previous driver's network, trained or not, and its level.
  CPUDriver(physics::Car& car, const track::TrackData& track, const CPUDriver& previous,
            FirstLine firstLine = FirstLine::Now, const RoadClearance* road = nullptr);

  // Plans the first line of drivers made with FirstLine::Later. The first plans its lap as a
  // driver made with FirstLine::Now would; every further one of the same level on the same
  // track and clearance joins that lap from its own place with a short search, instead of
  // searching a whole lap of its own (any other plans its own). With 2 `threads` the others are
  // shared out to a second thread with a workspace of its own; the lines are the same as on one.
  static void planFirstLines(const std::vector<CPUDriver*>& drivers, int threads = 2);

  // sample: null trains on the built-in table; otherwise five inputs and three targets.
  void train(int maxEpochs, const Sample* sample) override;
  void drive(const std::vector<physics::Car*>& cars) override;
  void learn() override;
  bool plan() override;
  // The car may now stand anywhere along the line: the driver finds it there afresh, and a
  // stretch it was planning from where the car was is planned again.
  void carPutBack() override;

  const std::vector<track::TrackPoint>* path() const override { return &line_.nodes(); }
  std::optional<track::TrackPoint> target1() const override { return target1_; }
  std::optional<track::TrackPoint> target2() const override { return target2_; }
  double speedWeight() const override { return speedWeight_; }
  double distanceWeightHere() const override;
  const std::wstring& debugText() const override { return debugText_; }

  DriverLevel level() const { return level_; }
  // Index of the path node the car is at.
  int cursor() const { return cursor_; }
  // Per path node: the speed (m/s) the line allows there at this level, before the driver's
  // own daring (the speed weight) scales it.
  const std::vector<double>& lineSpeeds() const { return line_.speeds(); }
  bool searchInProgress() const { return searchInProgress_; }
  // Sum over the track's consecutive point pairs of dx² + dy², map units.
  double trackLengthSum() const { return trackLengthSum_; }
  // Per track point: the distance (world units, about 190..220) that counts as input 1.0.
  const std::vector<double>& distanceWeights() const { return distanceWeights_; }
  const NeuralNetwork& network() const { return *network_; }
  // Epochs of the last train call.
  int lastTrainingEpochs() const { return lastTrainingEpochs_; }
  // How many of the first line's four legs the search found; the others follow the track's
  // own points.
  int searchedLegs() const { return searchedLegs_; }

  // Moves the cursor after the car at `position` (map units) and walks on from it until the
  // summed squared node-to-node distances exceed `budget` (map units²). Returns the index of
  // the node reached (the one after it for budgets above 12), or nothing without a path.
  std::optional<std::size_t> lookAhead(const track::TrackPoint& position, double budget);

  // Replaces the line (map units) and puts the cursor on its first node; for tools and tests.
  void setPath(std::vector<track::TrackPoint> path);

 private:
  // Where the next leg of the first line sets off: the point (map units), the direction
  // (radians) and the search's step (cells).
  struct LegStart {
    track::TrackPoint point;
    float direction;
    float step;
  };

  void initialise();
  void buildInitialPath(SearchWorkspace& workspace);
  // The first line made of the lead's lap, joined from where the car stands; a lap of its own
  // when the lead's cannot be joined.
  void followLap(SearchWorkspace& workspace, const CPUDriver& lead);
  bool canFollow(const CPUDriver& lead) const;
  // The node `length` map units on round the lap from node `from` (back at `from` when the
  // lap is shorter).
  static std::size_t nodeAlongLap(const std::vector<track::TrackPoint>& lap, std::size_t from,
                                  double length);
  // The searched way from `home` (the car's place, map units) to the lap's node `goal`, without
  // `home`; empty when there is none or it wanders off.
  std::vector<track::TrackPoint> joinSearch(SearchWorkspace& workspace,
                                            const track::TrackPoint& home,
                                            const track::TrackPoint& goal) const;
  // Appends the leg from `start` to `goal` to the first line: the search's, or the track's own
  // points when the search found no way or lost it; `start` moves on to the goal.
  void addLeg(SearchWorkspace& workspace, std::vector<track::TrackPoint>& line, LegStart& start,
              const track::TrackPoint& goal, const std::vector<track::TrackPoint>& trackPoints);
  bool legKeepsItsWay(const track::TrackPoint& from, const track::TrackPoint& goal,
                      const std::vector<track::TrackPoint>& nodes) const;
  // The track's own points from the one nearest to `from` up to, not including, the one
  // nearest to `to`: the line of last resort.
  std::vector<track::TrackPoint> trackPointsBetween(const track::TrackPoint& from,
                                                    const track::TrackPoint& to) const;
  // Length (map units) of the road's middle from the track point nearest to `from` on to the
  // one nearest to `to`.
  double trackDistanceBetween(const track::TrackPoint& from, const track::TrackPoint& to) const;
  // Moves the cursor after the car and returns the node it is at.
  std::size_t followCar();
  // The speed input: 0.5 at the speed the line allows just ahead, as far as this driver dares.
  float speedInput(std::size_t here) const;
  // Radians the wheels turn at the network's full steering, for the car's speed (m/s) and the
  // near target's distance (map units): at most 1, about 0.1 at 40 m/s.
  double fullLock(double speed, double nearDistance) const;
  // The steering (-1..1) that takes the car round cars close ahead of it.
  double avoidance(const std::vector<physics::Car*>& cars) const;
  track::TrackPoint carPosition() const;  // map units
  std::size_t nearestTrackPoint() const;

  DriverLevel level_;
  const DrivingStyle* style_;
  SearchWorkspace& workspace_;
  // The room the road leaves around each cell: the race's, or the driver's own; none without a
  // surface map.
  std::unique_ptr<RoadClearance> ownClearance_;
  const RoadClearance* clearance_;
  // The tarmac's grip in this weather as a share of dry tarmac's.
  double tyreGrip_;
  std::unique_ptr<NeuralNetwork> network_;
  RacingLine line_;
  int cursor_ = 0;
  std::wstring debugText_;
  std::optional<track::TrackPoint> target1_;
  std::optional<track::TrackPoint> target2_;
  double searchWeight_ = 0.1;
  // How fast the driver dares to go, as m/s that stand for 40: at 40 it takes the line's own
  // speeds, at 42 (the most) 5 % more. Learning raises it slowly while the car runs straight
  // and lowers it where it slides or leaves the road.
  double speedWeight_ = 40.0;
  std::vector<double> distanceWeights_;
  double avoidanceRadius_ = 60.0;  // world units
  double trackLengthSum_ = 0;
  std::size_t segmentStart_ = 0;  // the stretch of path being re-planned
  std::size_t segmentEnd_ = 0;
  double segmentDirection_ = 0;
  bool searchInProgress_ = false;
  int lastTrainingEpochs_ = 0;
  int searchedLegs_ = 0;
  // The first line as searched, before it was bent: what other drivers join.
  std::vector<track::TrackPoint> searchedLap_;
};

}  // namespace drivers
