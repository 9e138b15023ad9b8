#pragma once
#include <cstddef>
#include <vector>

#include "drivers/DriverLevel.h"
#include "drivers/RoadClearance.h"
#include "track/TrackData.h"

namespace drivers {

// The closed line a computer driver races on: nodes in map units, and for each the distance to
// the next and the speed (m/s) the line allows there at the driver's level. Lines planned over
// the road are bent inside it towards the least curvature, with their nodes evenly spaced.
class RacingLine {
 public:
  // `road` may be null (a track without a surface map): lines are then taken as they come.
  // Both must outlive the line. `tyreGrip` is the tarmac's grip as a share of dry tarmac's
  // (0.4 in the wet): the less, the more the car slides and the sooner speed eats its grip.
  RacingLine(const DrivingStyle& style, const RoadClearance* road, double tyreGrip);

  const std::vector<track::TrackPoint>& nodes() const { return nodes_; }
  std::size_t size() const { return nodes_.size(); }
  const std::vector<double>& speeds() const { return speeds_; }
  double length() const;

  // The line exactly as given.
  void assign(std::vector<track::TrackPoint> nodes);
  // The line bent inside the road and evenly spaced; taken as given when some node lies off
  // the road (a track's own points where the search found no way).
  void assignBent(std::vector<track::TrackPoint> nodes);
  // Puts `nodes` (map units, as the search found them) bent in place of the stretch from node
  // `from` to node `to`, when the car drives the new stretch faster. The new line then starts
  // with the new stretch. False when the old line stays.
  bool replaceStretch(std::size_t from, std::size_t to,
                      const std::vector<track::TrackPoint>& nodes);

  // The node reached from node `from` after `distance` map units along the line.
  std::size_t nodeAhead(std::size_t from, double distance) const;

 private:
  bool onRoad(const std::vector<track::TrackPoint>& nodes) const;
  // Seconds from node `from` to node `to` (cyclically) at the line's speeds.
  double time(std::size_t from, std::size_t to) const;
  // The node `offset` places from node `i`, cyclically.
  const track::TrackPoint& node(std::size_t i, long long offset) const;
  void updateSpeeds();

  const DrivingStyle* style_;
  const RoadClearance* road_;
  double tyreGrip_;
  std::vector<track::TrackPoint> nodes_;
  std::vector<double> steps_;   // map units from each node to the next
  std::vector<double> speeds_;  // m/s
};

}  // namespace drivers
