#include "drivers/RacingLine.h"

#include <algorithm>
#include <cmath>

#include "drivers/LineShape.h"
#include "drivers/LineSmoothing.h"

namespace drivers {

namespace {

constexpr double kCellsPerMetre = 2.5;  // a map unit is 4 world units, 0.4 metres
// The line is bent with nodes this far apart (map units) and driven with nodes half as far.
constexpr double kBendSpacing = 8;
constexpr double kLineSpacing = 4;
constexpr int kCurvatureReach = 3;  // nodes either side: bends are read over about 5 metres
// What the car holds in a steady bend on dry tarmac, measured on the car model: about 20 m/s²
// when slow, fading with the square of the speed (14 m/s² at 30 m/s, 9 at 40) as the sideways
// slide eats the engine's pull. Less grip means more slide: the fade comes sooner, with the
// square root of the grip. Top speed in m/s, where drag takes the whole engine.
constexpr double kCarGrip = 20;
constexpr double kGripFadeSpeed = 55;
constexpr double kTopSpeed = 42;
constexpr double kSlowest = 1.5;  // m/s: no stretch is timed slower

}  // namespace

RacingLine::RacingLine(const DrivingStyle& style, const RoadClearance* road, double tyreGrip)
    : style_(&style), road_(road), tyreGrip_(tyreGrip) {}

double RacingLine::length() const {
  double sum = 0;
  for (const double step : steps_) sum += step;
  return sum;
}

void RacingLine::assign(std::vector<track::TrackPoint> nodes) {
  nodes_ = std::move(nodes);
  updateSpeeds();
}

void RacingLine::assignBent(std::vector<track::TrackPoint> nodes) {
  if (road_ == nullptr || nodes.size() < 5 || !onRoad(nodes)) {
    assign(std::move(nodes));
    return;
  }
  std::vector<track::TrackPoint> coarse = driving::resampleLine(nodes, kBendSpacing, true);
  driving::pushInsideRoad(coarse, *road_, style_->lineMargin);
  nodes_ = driving::resampleLine(
      driving::smoothInsideRoad(std::move(coarse), true, *road_,
                                {style_->lineMargin, style_->smoothingPasses}),
      kLineSpacing, true);
  driving::pushInsideRoad(nodes_, *road_, style_->lineMargin);
  updateSpeeds();
}

bool RacingLine::replaceStretch(std::size_t from, std::size_t to,
                                const std::vector<track::TrackPoint>& nodes) {
  const std::size_t count = nodes_.size();
  std::vector<track::TrackPoint> middle = {nodes_[from]};
  middle.insert(middle.end(), nodes.begin(), nodes.end());
  middle.push_back(nodes_[to]);
  if (road_ == nullptr || count < 5 || !onRoad(middle)) return false;

  // Two nodes of the old line either side, as far apart as the bent line's nodes, hold the
  // stretch's ends in line with the rest.
  std::vector<track::TrackPoint> line = {node(from, -4), node(from, -2)};
  std::vector<track::TrackPoint> coarse = driving::resampleLine(middle, kBendSpacing, false);
  driving::pushInsideRoad(coarse, *road_, style_->lineMargin);
  line.insert(line.end(), coarse.begin(), coarse.end());
  line.push_back(node(to, 2));
  line.push_back(node(to, 4));
  const std::vector<track::TrackPoint> bent =
      driving::smoothInsideRoad(line, false, *road_, {style_->lineMargin, style_->stretchPasses});
  std::vector<track::TrackPoint> spliced = driving::resampleLine(
      std::vector<track::TrackPoint>(bent.begin() + 2, bent.end() - 2), kLineSpacing, false);
  driving::pushInsideRoad(spliced, *road_, style_->lineMargin);
  if (spliced.size() < 2) return false;

  // The new stretch, then the rest of the old line on from its end round to its start.
  const std::size_t stretchEnd = spliced.size() - 1;
  for (std::size_t i = (to + 1) % count; i != from; i = (i + 1) % count) {
    spliced.push_back(nodes_[i]);
  }
  const double oldTime = time(from, to);
  RacingLine candidate(*style_, road_, tyreGrip_);
  candidate.assign(std::move(spliced));
  if (candidate.time(0, stretchEnd) > oldTime) return false;
  *this = std::move(candidate);
  return true;
}

std::size_t RacingLine::nodeAhead(std::size_t from, double distance) const {
  const std::size_t count = nodes_.size();
  std::size_t node = from % count;
  for (std::size_t steps = 0; distance > 0 && steps < count; ++steps) {
    distance -= steps_[node];
    node = (node + 1) % count;
  }
  return node;
}

bool RacingLine::onRoad(const std::vector<track::TrackPoint>& nodes) const {
  return std::all_of(nodes.begin(), nodes.end(),
                     [this](const track::TrackPoint& n) { return road_->at(n.x, n.y) > 0; });
}

double RacingLine::time(std::size_t from, std::size_t to) const {
  const std::size_t count = nodes_.size();
  double seconds = 0;
  for (std::size_t i = from % count; i != to % count; i = (i + 1) % count) {
    seconds += steps_[i] / kCellsPerMetre / std::max(speeds_[i], kSlowest);
  }
  return seconds;
}

const track::TrackPoint& RacingLine::node(std::size_t i, long long offset) const {
  const auto count = static_cast<long long>(nodes_.size());
  return nodes_[static_cast<std::size_t>(((static_cast<long long>(i) + offset) % count + count) %
                                         count)];
}

void RacingLine::updateSpeeds() {
  steps_ = driving::loopSteps(nodes_);
  std::vector<double> bends = driving::loopCurvature(nodes_, kCurvatureReach);
  std::vector<double> metres = steps_;
  for (double& bend : bends) bend *= kCellsPerMetre;
  for (double& step : metres) step /= kCellsPerMetre;
  speeds_ =
      driving::speedProfile(bends, metres, kCarGrip * style_->gripShare,
                            kGripFadeSpeed * std::sqrt(tyreGrip_), style_->braking, kTopSpeed);
}

}  // namespace drivers
