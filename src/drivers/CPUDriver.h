#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drivers/Driver.h"
#include "drivers/NeuralNetwork.h"
#include "drivers/PathSearch.h"

namespace drivers {

// A computer driver. It follows a line of path nodes (map units) planned over the surface map
// and improved piece by piece during the race, feeds the network its speed and the bearing and
// distance of two look-ahead nodes, steers around cars close ahead, and adapts how fast it
// dares to go where it drifted or left the road.
//
// The car must already stand on its start position: the first line is planned from there.
class CPUDriver : public Driver {
 public:
  // The first computer driver of a race: a new, untrained network (the race trains it).
  CPUDriver(physics::Car& car, const track::TrackData& track);
  // Every further one: a copy of the previous driver's network, trained or not.
  CPUDriver(physics::Car& car, const track::TrackData& track, const CPUDriver& previous);

  // sample: null trains on the built-in table; otherwise five inputs and three targets.
  void train(int maxEpochs, const Sample* sample) override;
  void drive(const std::vector<physics::Car*>& cars) override;
  void learn() override;
  bool plan() override;

  const std::vector<track::TrackPoint>* path() const override { return &path_; }
  std::optional<track::TrackPoint> target1() const override { return target1_; }
  std::optional<track::TrackPoint> target2() const override { return target2_; }
  double speedWeight() const override { return speedWeight_; }
  double distanceWeightHere() const override;
  const std::wstring& debugText() const override { return debugText_; }

  // Index of the path node the car is at.
  int cursor() const { return cursor_; }
  bool searchInProgress() const { return searchInProgress_; }
  // Sum over the track's consecutive point pairs of dx² + dy², map units.
  double trackLengthSum() const { return trackLengthSum_; }
  // Per track point: the distance (world units, about 190..220) that counts as input 1.0.
  const std::vector<double>& distanceWeights() const { return distanceWeights_; }
  const NeuralNetwork& network() const { return *network_; }
  // Epochs of the last train call.
  int lastTrainingEpochs() const { return lastTrainingEpochs_; }

  // Moves the cursor after the car at `position` (map units) and walks on from it until the
  // summed squared node-to-node distances exceed `budget` (map units²). Returns the index of
  // the node reached (the one after it for budgets above 12), or nothing without a path.
  std::optional<std::size_t> lookAhead(const track::TrackPoint& position, double budget);

  // Replaces the line (map units) and puts the cursor on its first node; for tools and tests.
  void setPath(std::vector<track::TrackPoint> path);

 private:
  void initialise();
  void buildInitialPath();
  // The track's own points from the one nearest to `from` up to, not including, the one
  // nearest to `to`: the line of last resort.
  std::vector<track::TrackPoint> trackPointsBetween(const track::TrackPoint& from,
                                                    const track::TrackPoint& to) const;
  void splice(const std::vector<track::TrackPoint>& newNodes);
  track::TrackPoint carPosition() const;  // map units
  std::size_t nearestTrackPoint() const;

  SearchWorkspace& workspace_;
  std::unique_ptr<NeuralNetwork> network_;
  std::vector<track::TrackPoint> path_;
  int cursor_ = 0;
  std::wstring debugText_;
  std::optional<track::TrackPoint> target1_;
  std::optional<track::TrackPoint> target2_;
  double searchWeight_ = 0.1;
  double speedWeight_ = 40.0;  // metres per second that count as input 1.0
  std::vector<double> distanceWeights_;
  double avoidanceRadius_ = 60.0;  // world units
  double trackLengthSum_ = 0;
  std::size_t segmentStart_ = 0;  // the stretch of path being re-planned
  std::size_t segmentEnd_ = 0;
  double segmentDirection_ = 0;
  bool searchInProgress_ = false;
  int lastTrainingEpochs_ = 0;
};

}  // namespace drivers
