#include "drivers/CPUDriver.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <sstream>

#include "common/Angle.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "drivers/DrivingFeatures.h"
#include "physics/Car.h"
#include "platform/Random.h"

namespace drivers {

namespace {

constexpr float kPlanStartStep = 20.0f;  // cells
constexpr double kNearLookAhead = 12;    // map units², about the next node
constexpr double kFarLookAhead = 900;    // map units², a few nodes ahead
// Metres per second. Every frame off the road lowers the speed weight; after a long time
// there it would reach zero and the speed input would divide by it.
constexpr double kMinSpeedWeight = 1.0;
// The evasive term divides by a difference of headings; near zero it would explode.
constexpr double kMinHeadingDifference = 1e-3;
// Metres per second. The network, never shown a standing car before a sharp bend, may answer
// with more brake than throttle there; at rest the brake holds the car for good, so below
// walking pace the driver creeps on instead of braking.
constexpr double kCreepSpeed = 1.5;

// The learning step, once per frame. Its outcome (reward minus penalty, -1..1) is divided by
// kOutcomeDivisor, so the weights drift over hundreds of frames instead of jumping.
constexpr double kOutcomeDivisor = 500;
// The penalty for sliding rises in a straight line from 0 at 45 degrees (drift / 135 degrees
// less a third) to 1 at 180 degrees.
constexpr double kPenaltyOffset = 1.0 / 3;
// The speed weight (metres per second) moves by a tenth of the outcome.
constexpr double kSpeedWeightDivisor = 10;
// The distance weights of the two path nodes behind the car move by the outcome times these
// distances (world units; the weights are map units, a quarter of that).
constexpr double kNearNodeStep = 150;
constexpr double kFarNodeStep = 50;
constexpr double kWorldToMap = 0.25;
// Every frame off the road the speed weight drops (metres per second) and the distance weight
// behind the car grows (map units): the driver slows down and aims further ahead there.
constexpr double kOffRoadSpeedDrop = 0.005;
constexpr double kOffRoadDistanceGrowth = 0.3;

double clampUnit(double value, double low) {
  if (!std::isfinite(value)) return 0;
  return std::clamp(value, low, 1.0);
}

}  // namespace

CPUDriver::CPUDriver(physics::Car& car, const track::TrackData& track)
    : Driver(car, track), workspace_(SearchWorkspace::shared()) {
  initialise();
  network_ = std::make_unique<NeuralNetwork>();
  buildInitialPath();
}

CPUDriver::CPUDriver(physics::Car& car, const track::TrackData& track, const CPUDriver& previous)
    : Driver(car, track), workspace_(SearchWorkspace::shared()) {
  initialise();
  network_ = std::make_unique<NeuralNetwork>(*previous.network_);
  buildInitialPath();
}

void CPUDriver::initialise() {
  platform::seedFromClock();
  const double reach = platform::randInt() % 30 + 190;
  distanceWeights_.assign(track().pointCount(), reach);
}

void CPUDriver::train(int maxEpochs, const Sample* sample) {
  if (sample == nullptr) {
    lastTrainingEpochs_ = network_->train(maxEpochs);
    return;
  }
  // A sample of any other length carries no meaning for this network.
  if (sample->size() != std::tuple_size_v<NeuralNetwork::Sample>) return;
  NeuralNetwork::Sample one{};
  std::copy(sample->begin(), sample->end(), one.begin());
  lastTrainingEpochs_ = network_->train(maxEpochs, &one);
}

track::TrackPoint CPUDriver::carPosition() const {
  track::TrackPoint p;
  p.x = car().getX() * 0.25;
  p.y = car().getY() * 0.25;
  return p;
}

std::size_t CPUDriver::nearestTrackPoint() const {
  return track().nearestPointIndex(carPosition());
}

double CPUDriver::distanceWeightHere() const {
  if (distanceWeights_.empty()) return 0;
  return distanceWeights_[std::min(nearestTrackPoint(), distanceWeights_.size() - 1)];
}

std::optional<std::size_t> CPUDriver::lookAhead(const track::TrackPoint& position, double budget) {
  const std::size_t count = path_.size();
  if (count == 0) return std::nullopt;
  cursor_ = driving::followCursor(cursor_, driving::nearestNode(path_, position), count);

  std::size_t candidate = static_cast<std::size_t>(cursor_) % count;
  double sum = 0;
  // A path whose nodes all coincide never reaches the budget; one lap shows that.
  for (std::size_t steps = 0; sum <= budget && !(steps >= count && sum == 0); ++steps) {
    const std::size_t next = (candidate + 1) % count;
    const double dx = path_[next].x - path_[candidate].x;
    const double dy = path_[next].y - path_[candidate].y;
    sum += dx * dx + dy * dy;
    candidate = next;
  }
  return budget > kNearLookAhead ? (candidate + 1) % count : candidate;
}

void CPUDriver::setPath(std::vector<track::TrackPoint> path) {
  path_ = std::move(path);
  cursor_ = 0;
  searchInProgress_ = false;
}

void CPUDriver::drive(const std::vector<physics::Car*>& cars) {
  physics::Car& self = car();
  if (path_.empty()) {
    // Whatever is left unwritten stays in force for the car's next steps: a driver without a
    // line lets the car coast straight rather than hold its last steering lock.
    self.throttle = 0;
    self.brake = 0;
    self.steer = 0;
    return;
  }

  float speedInput = static_cast<float>(self.speed / speedWeight_);
  if (!(speedInput >= 0.001f)) speedInput = 0;
  if (speedInput > 1) speedInput = 1;

  const track::TrackPoint position = carPosition();
  target1_ = path_[*lookAhead(position, kNearLookAhead)];
  target2_ = path_[*lookAhead(position, kFarLookAhead)];

  const double x = self.getX();
  const double y = self.getY();
  const double angle = self.getAngle();
  const double reach = distanceWeightHere();
  const double angle1 = driving::bearingFeature(angle, x, y, *target1_);
  const double dist1 = driving::distanceFeature(x, y, *target1_, reach);
  const double angle2 = driving::bearingFeature(angle, x, y, *target2_);
  const double dist2 = driving::distanceFeature(x, y, *target2_, reach);

  const auto& out = network_->compute({speedInput, angle1, dist1, angle2, dist2});
  double steering = out[0] * 2 - 1;
  const double throttle = out[1];
  const double brake = self.speed < kCreepSpeed ? 0.0 : out[2];

  // Steer away from cars close ahead, harder the closer they are.
  const double heading = -angle;
  const double radiusSquared = avoidanceRadius_ * avoidanceRadius_;
  double side = 0;
  int touching = 0;
  double touchingAngles = 0;
  for (const physics::Car* other : cars) {
    if (other == nullptr || other == &self) continue;
    const double dx = other->getX() - x;
    const double dy = other->getY() - y;
    const double ahead = std::sin(heading) * dx + std::cos(heading) * dy;
    const double across = std::sin(heading) * dy - std::cos(heading) * dx;
    const double distanceSquared = dx * dx + dy * dy;
    if (ahead > 0 && distanceSquared <= radiusSquared) {
      if (across < 0) side = 1;
      if (across > 0) side = -1;
      steering += (radiusSquared / distanceSquared) * side / 25;
      // Squared distance against the plain radius: only cars practically on top of this one.
      if (distanceSquared <= avoidanceRadius_) {
        ++touching;
        touchingAngles += other->getAngle() + common::kHalfPi;
      }
    }
  }
  if (touching > 0) {
    const double difference = touchingAngles / touching - (angle + common::kHalfPi);
    if (std::fabs(difference) > kMinHeadingDifference) {
      steering += std::clamp(0.5 / difference, -1.0, 1.0);
    }
  }

  self.steer = clampUnit(steering, -1.0);
  self.throttle = clampUnit(throttle, 0.0);
  self.brake = clampUnit(brake, 0.0);

  std::wostringstream text;
  text << L"speed: " << speedInput << L"\nangle1: " << angle1 << L"\ndist1: " << dist1
       << L"\nangle2: " << angle2 << L"\ndist2: " << dist2 << L"\n";
  debugText_ = text.str();
}

void CPUDriver::learn() {
  // Sliding more than 45 degrees is punished, anything less rewarded the straighter it is.
  const double drift = std::fabs(car().getDriftAngle());
  const double penalty =
      drift <= common::kQuarterPi
          ? 0.0
          : (drift >= common::kPi ? 1.0 : drift / common::kThreeQuarterPi - kPenaltyOffset);
  const double reward =
      drift <= 0 ? 1.0 : (drift >= common::kQuarterPi ? 0.0 : 1 - drift / common::kQuarterPi);
  const double change = reward / kOutcomeDivisor - penalty / kOutcomeDivisor;
  speedWeight_ = std::max(speedWeight_ + change / kSpeedWeightDivisor, kMinSpeedWeight);

  const std::size_t count = distanceWeights_.size();
  if (count == 0) return;
  // The weights just behind the car pay for what happened here.
  std::size_t f = std::min(nearestTrackPoint(), count - 1);
  if (f == 0) f = count;
  std::size_t g = f - 1;
  if (distanceWeights_[g] > 1) {
    distanceWeights_[g] = std::max(distanceWeights_[g] - change * kNearNodeStep * kWorldToMap, 1.0);
  }
  g = g == 0 ? count - 1 : g - 1;
  if (distanceWeights_[g] > 1) {
    distanceWeights_[g] = std::max(distanceWeights_[g] - change * kFarNodeStep * kWorldToMap, 1.0);
  }
  if (car().getSurface() != track::SurfaceMap::kRoad) {
    speedWeight_ = std::max(speedWeight_ - kOffRoadSpeedDrop, kMinSpeedWeight);
    distanceWeights_[g] += kOffRoadDistanceGrowth;
  }
}

bool CPUDriver::plan() {
  const std::size_t count = path_.size();
  if (count == 0) return true;
  const int effort =
      driving::planningEffort(config::Options::instance()->getAIInt(config::key::skill));

  if (!searchInProgress_) {
    const track::TrackPoint position = carPosition();
    const std::size_t here = *lookAhead(position, 0);
    const std::size_t next = (here + 1) % count;
    if (next == here) return true;
    segmentDirection_ = std::atan2(path_[next].y - path_[here].y, path_[next].x - path_[here].x);
    const double window = std::min(trackLengthSum_ / 5, effort * 1000.0 / 4);
    const std::size_t end = *lookAhead(position, static_cast<int>(window));
    segmentStart_ = driving::nearestNode(path_, path_[next]);
    segmentEnd_ = driving::nearestNode(path_, path_[end]);
    const auto n = static_cast<long long>(count);
    const auto l = static_cast<long long>(segmentStart_);
    const long long o = driving::unwrapIndex(static_cast<long long>(segmentEnd_), l, n);
    // Nothing to improve, or the window reaches round to behind the start.
    if (segmentStart_ == segmentEnd_ || (l - n / 2 < o && o < l)) return true;
  }

  float endDirection = 0;
  float endStep = 0;
  const auto found = findPath(workspace_, track(), path_[segmentStart_], path_[segmentEnd_],
                              static_cast<float>(segmentDirection_), kPlanStartStep, endDirection,
                              endStep, effort * 10LL, !searchInProgress_);
  if (!found) {
    searchInProgress_ = true;
    return false;
  }
  searchInProgress_ = false;
  if (found->size() >= 2) splice(*found);
  return true;
}

void CPUDriver::splice(const std::vector<track::TrackPoint>& newNodes) {
  const std::size_t count = path_.size();
  std::vector<track::TrackPoint> replaced;
  for (std::size_t i = segmentStart_;; i = (i + 1) % count) {
    replaced.push_back(path_[i]);
    if (i == segmentEnd_) break;
  }
  // Squared steps favour lines of many short moves; a new line must not be much worse.
  if (driving::squaredLengthSum(replaced, false) * 1.3 <
      driving::squaredLengthSum(newNodes, false)) {
    return;
  }
  std::vector<track::TrackPoint> spliced = newNodes;
  spliced.reserve(newNodes.size() + count);
  for (std::size_t i = (segmentEnd_ + 1) % count;; i = (i + 1) % count) {
    spliced.push_back(path_[i]);
    if (i == segmentStart_) break;
  }
  path_ = std::move(spliced);
  cursor_ = 0;
}

std::vector<track::TrackPoint> CPUDriver::trackPointsBetween(const track::TrackPoint& from,
                                                             const track::TrackPoint& to) const {
  std::vector<track::TrackPoint> points;
  const std::size_t count = track().pointCount();
  if (count == 0) return points;
  const std::size_t last = track().nearestPointIndex(to);
  for (std::size_t i = track().nearestPointIndex(from); i != last; i = (i + 1) % count) {
    points.push_back(track().getPoint(i));
  }
  return points;
}

void CPUDriver::buildInitialPath() {
  const track::TrackData& road = track();
  const std::size_t count = road.pointCount();
  path_.clear();
  cursor_ = 0;
  std::vector<track::TrackPoint> trackPoints;
  for (std::size_t i = 0; i < count; ++i) trackPoints.push_back(road.getPoint(i));
  trackLengthSum_ = driving::squaredLengthSum(trackPoints, true);
  if (count == 0) return;

  workspace_.weight = searchWeight_;
  const track::TrackPoint home = carPosition();
  // Three goals a fifth of the lap apart, then back to where the car stands.
  std::vector<track::TrackPoint> goals;
  std::size_t from = road.nearestPointIndex(home);
  for (int i = 0; i < 3; ++i) {
    const std::size_t goal = (count / 5 + from) % count;
    goals.push_back(trackPoints[goal]);
    from = road.nearestPointIndex(trackPoints[goal]);
  }
  goals.push_back(home);

  float direction = static_cast<float>(car().getAngle() + common::kHalfPi);
  float step = kPlanStartStep;
  track::TrackPoint legStart = home;
  for (std::size_t leg = 0; leg < goals.size(); ++leg) {
    const track::TrackPoint& goal = goals[leg];
    float endDirection = direction;
    float endStep = step;
    auto search = [&](const track::TrackPoint& start) {
      return findPath(workspace_, road, start, goal, direction, step, endDirection, endStep,
                      INT_MAX, true)
          .value_or(std::vector<track::TrackPoint>{});
    };
    std::vector<track::TrackPoint> nodes = search(legStart);
    if (nodes.empty() && leg > 0 && path_.size() >= 4) {
      // The previous leg may have ended where no move leads on; back up a little.
      path_.resize(path_.size() - 3);
      legStart = path_.back();
      nodes = search(legStart);
    }
    if (nodes.empty() || driving::squaredLengthSum(nodes, true) > trackLengthSum_ * 4 / 5) {
      nodes = trackPointsBetween(legStart, goal);
      // After backing up, the leg starts on the line's last node; don't repeat it.
      if (!nodes.empty() && !path_.empty() && nodes.front().x == path_.back().x &&
          nodes.front().y == path_.back().y) {
        nodes.erase(nodes.begin());
      }
      // The next leg sets off along the track from this goal.
      const std::size_t at = road.nearestPointIndex(goal);
      const track::TrackPoint& ahead = trackPoints[(at + 1) % count];
      direction = static_cast<float>(std::atan2(ahead.y - goal.y, ahead.x - goal.x));
      step = kPlanStartStep;
    } else {
      direction = endDirection;
      step = endStep;
    }
    path_.insert(path_.end(), nodes.begin(), nodes.end());
    legStart = goal;
  }
  cursor_ = 0;
}

}  // namespace drivers
