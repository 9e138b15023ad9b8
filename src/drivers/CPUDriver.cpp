#include "drivers/CPUDriver.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <thread>

#include "common/Angle.h"
#include "config/OptionKeys.h"
#include "config/Options.h"
#include "drivers/DrivingFeatures.h"
#include "drivers/LineShape.h"
#include "drivers/LineSmoothing.h"
#include "physics/Car.h"
#include "physics/SurfaceOptions.h"
#include "platform/Random.h"

namespace drivers {

namespace {

constexpr float kPlanStartStep = 20.0f;  // cells
constexpr double kNearLookAhead = 12;    // map units², about the next node
constexpr double kFarLookAhead = 900;    // map units², a few nodes ahead
// Metres per second. Every frame off the road lowers the speed weight; after a long time
// there it would reach zero and the speed input would divide by it.
constexpr double kMinSpeedWeight = 1.0;
// A driver that never slides would otherwise dare more every lap until it flew off; it dares at
// most 5 % more than its level's line.
constexpr double kMaxSpeedWeight = 42.0;
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

constexpr double kDryTarmacGrip = 100;  // percent
constexpr double kCellsPerMetre = 2.5;  // a map unit is 4 world units, 0.4 metres
// The speed weight the line's own speeds stand for.
constexpr double kBaseSpeedWeight = 40.0;
// The speed asked for is the one this many seconds ahead, so that the brakes come on in time.
constexpr double kSpeedLead = 0.15;
constexpr double kSpeedInputGain = 2.5;
// How far the network's full steering turns the wheels: as far as the circle through the near
// target needs, at most a full radian. Like a driver aiming at a point ahead, it turns the
// wheel less the further that point lies, so at speed the network's whole range spans the small
// angles a fast car needs. A fast car's tyres slip and it needs more lock for the same bend:
// about a third more at 30 m/s (measured on the car model).
constexpr double kPursuitReach = 1.47;  // metres: the network's steering for a bearing
constexpr double kSlipSpeed = 50;       // m/s on dry tarmac, less where it slips more
// Up to this speed (m/s) the wheel swerves round cars close ahead in full; faster, less.
constexpr double kFullSwerveSpeed = 10;
// A throttle this light is no throttle: lifting off completely brakes twice as hard.
constexpr double kLiftedThrottle = 0.05;
// A leg of the first line that is this much longer than the road's middle has lost its way.
constexpr double kLongestDetour = 1.5;
// Map units (about 24 metres) along the lead's lap from the node nearest a car to the node its
// first line joins the lap at: room to fall in behind the cars ahead on the grid.
constexpr double kJoinLength = 60;
// Nodes a lap needs before others may join it.
constexpr std::size_t kShortestLap = 5;
// Map units of line re-planned per unit of planning effort.
constexpr double kWindowPerEffort = 4;

// The tarmac's grip in the current weather as a share of dry tarmac's, kept within what the
// line's arithmetic can bear.
double tyreGrip() {
  return std::clamp(physics::SurfaceOptions::read().tarmac.grip / kDryTarmacGrip, 0.1, 2.0);
}

// The race's clearance when it has one, else one of the driver's own; nothing without a map.
std::unique_ptr<RoadClearance> ownClearance(const track::TrackData& track,
                                            const RoadClearance* shared) {
  if (shared != nullptr || !track.surfaceMap) return nullptr;
  return std::make_unique<RoadClearance>(*track.surfaceMap);
}

double clampUnit(double value, double low) {
  if (!std::isfinite(value)) return 0;
  return std::clamp(value, low, 1.0);
}

}  // namespace

CPUDriver::CPUDriver(physics::Car& car, const track::TrackData& track, DriverLevel level,
                     FirstLine firstLine, const RoadClearance* road)
    : Driver(car, track),
      level_(level),
      style_(&styleOf(level)),
      workspace_(SearchWorkspace::shared()),
      ownClearance_(ownClearance(track, road)),
      clearance_(road != nullptr ? road : ownClearance_.get()),
      tyreGrip_(tyreGrip()),
      line_(*style_, clearance_, tyreGrip_) {
  initialise();
  network_ = std::make_unique<NeuralNetwork>();
  if (firstLine == FirstLine::Now) buildInitialPath(workspace_);
}

CPUDriver::CPUDriver(physics::Car& car, const track::TrackData& track, const CPUDriver& previous,
                     FirstLine firstLine, const RoadClearance* road)
    : Driver(car, track),
      level_(previous.level_),
      style_(previous.style_),
      workspace_(SearchWorkspace::shared()),
      ownClearance_(ownClearance(track, road)),
      clearance_(road != nullptr ? road : ownClearance_.get()),
      tyreGrip_(tyreGrip()),
      line_(*style_, clearance_, tyreGrip_) {
  initialise();
  network_ = std::make_unique<NeuralNetwork>(*previous.network_);
  if (firstLine == FirstLine::Now) buildInitialPath(workspace_);
}

void CPUDriver::planFirstLines(const std::vector<CPUDriver*>& drivers, int threads) {
  if (drivers.empty()) return;
  CPUDriver& lead = *drivers.front();
  lead.buildInitialPath(lead.workspace_);
  const std::vector<CPUDriver*> field(drivers.begin() + 1, drivers.end());
  const auto planEvery = [&field, &lead](SearchWorkspace& workspace, std::size_t first,
                                         std::size_t stride) {
    for (std::size_t i = first; i < field.size(); i += stride) field[i]->followLap(workspace, lead);
  };
  if (threads < 2 || field.size() < 2) {
    planEvery(lead.workspace_, 0, 1);
    return;
  }
  // Planning reads only the track, the lead's lap and the driver's own car; each thread searches
  // in its own workspace.
  std::exception_ptr helperFailure;
  std::thread helper([&planEvery, &helperFailure] {
    try {
      SearchWorkspace workspace;
      planEvery(workspace, 1, 2);
    } catch (...) {
      helperFailure = std::current_exception();
    }
  });
  try {
    planEvery(lead.workspace_, 0, 2);
  } catch (...) {
    helper.join();
    throw;
  }
  helper.join();
  if (helperFailure) std::rethrow_exception(helperFailure);
}

bool CPUDriver::canFollow(const CPUDriver& lead) const {
  return &lead.track() == &track() && lead.style_ == style_ && lead.clearance_ == clearance_ &&
         clearance_ != nullptr && lead.searchedLap_.size() >= kShortestLap;
}

void CPUDriver::followLap(SearchWorkspace& workspace, const CPUDriver& lead) {
  if (!canFollow(lead)) {
    buildInitialPath(workspace);
    return;
  }
  const std::vector<track::TrackPoint>& lap = lead.searchedLap_;
  const track::TrackPoint home = carPosition();
  // The join heads for the lap's node a good way on from the one nearest the car.
  const std::size_t nearest = driving::nearestNode(lap, home);
  const std::size_t goal = nodeAlongLap(lap, nearest, kJoinLength);
  const std::vector<track::TrackPoint> join =
      goal != nearest ? joinSearch(workspace, home, lap[goal]) : std::vector<track::TrackPoint>{};
  if (join.empty()) {  // no way onto the lap from here: a lap of its own
    buildInitialPath(workspace);
    return;
  }
  cursor_ = 0;
  trackLengthSum_ = lead.trackLengthSum_;
  searchedLegs_ = lead.searchedLegs_;
  // From the car onto the lap, round it, and back to just behind the car.
  std::vector<track::TrackPoint> line = join;
  for (std::size_t i = (goal + 1) % lap.size(); i != nearest; i = (i + 1) % lap.size())
    line.push_back(lap[i]);
  searchedLap_ = line;
  line_.assignBent(std::move(line));
}

std::size_t CPUDriver::nodeAlongLap(const std::vector<track::TrackPoint>& lap, std::size_t from,
                                    double length) {
  std::size_t node = from;
  for (double walked = 0; walked < length;) {
    const std::size_t next = (node + 1) % lap.size();
    walked += std::hypot(lap[next].x - lap[node].x, lap[next].y - lap[node].y);
    node = next;
    if (node == from) break;
  }
  return node;
}

std::vector<track::TrackPoint> CPUDriver::joinSearch(SearchWorkspace& workspace,
                                                     const track::TrackPoint& home,
                                                     const track::TrackPoint& goal) const {
  workspace.weight = searchWeight_;
  float endDirection = 0;
  float endStep = 0;
  std::vector<track::TrackPoint> join =
      findPath(workspace, *clearance_, home, goal,
               static_cast<float>(car().getAngle() + common::kHalfPi), kPlanStartStep, endDirection,
               endStep, INT_MAX, true)
          .value_or(std::vector<track::TrackPoint>{});
  std::vector<track::TrackPoint> walked = {home};
  walked.insert(walked.end(), join.begin(), join.end());
  const double straight = std::hypot(goal.x - home.x, goal.y - home.y);
  if (driving::lineLength(walked, false) > kLongestDetour * straight + kPlanStartStep) join.clear();
  return join;
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
  const std::vector<track::TrackPoint>& nodes = line_.nodes();
  const std::size_t count = nodes.size();
  if (count == 0) return std::nullopt;
  cursor_ = driving::followCursor(cursor_, driving::nearestNode(nodes, position), count);

  std::size_t candidate = static_cast<std::size_t>(cursor_) % count;
  double sum = 0;
  // A path whose nodes all coincide never reaches the budget; one lap shows that.
  for (std::size_t steps = 0; sum <= budget && !(steps >= count && sum == 0); ++steps) {
    const std::size_t next = (candidate + 1) % count;
    const double dx = nodes[next].x - nodes[candidate].x;
    const double dy = nodes[next].y - nodes[candidate].y;
    sum += dx * dx + dy * dy;
    candidate = next;
  }
  return budget > kNearLookAhead ? (candidate + 1) % count : candidate;
}

void CPUDriver::setPath(std::vector<track::TrackPoint> path) {
  line_.assign(std::move(path));
  cursor_ = 0;
  searchInProgress_ = false;
}

std::size_t CPUDriver::followCar() {
  const std::vector<track::TrackPoint>& nodes = line_.nodes();
  cursor_ =
      driving::followCursor(cursor_, driving::nearestNode(nodes, carPosition()), nodes.size());
  return static_cast<std::size_t>(cursor_);
}

float CPUDriver::speedInput(std::size_t here) const {
  const double speed = car().speed;
  const double allowed =
      line_.speeds()[line_.nodeAhead(here, kSpeedLead * speed * kCellsPerMetre)] * speedWeight_ /
      kBaseSpeedWeight;
  // Every 4 % faster or slower than allowed moves the input by 0.1.
  const double input = 0.5 + kSpeedInputGain * (speed / std::max(allowed, kCreepSpeed) - 1);
  if (!(input >= 0.001)) return 0;
  return static_cast<float>(std::min(input, 1.0));
}

void CPUDriver::drive(const std::vector<physics::Car*>& cars) {
  physics::Car& self = car();
  const std::vector<track::TrackPoint>& nodes = line_.nodes();
  if (nodes.empty()) {
    // Whatever is left unwritten stays in force for the car's next steps: a driver without a
    // line lets the car coast straight rather than hold its last steering lock.
    self.throttle = 0;
    self.brake = 0;
    self.steer = 0;
    return;
  }

  const std::size_t here = followCar();
  const double speed = self.speed;
  const double travel = speed * kCellsPerMetre;  // map units a second
  const double nearDistance = std::max(style_->nearMinimum, style_->nearReach * speed * travel);
  target1_ = nodes[line_.nodeAhead(here, nearDistance)];
  target2_ =
      nodes[line_.nodeAhead(here, std::max(style_->farMinimum, style_->farReach * speed * travel))];
  const float speedIn = speedInput(here);

  const double x = self.getX();
  const double y = self.getY();
  const double angle = self.getAngle();
  const double reach = distanceWeightHere();
  const double angle1 = driving::bearingFeature(angle, x, y, *target1_);
  const double dist1 = driving::distanceFeature(x, y, *target1_, reach);
  const double angle2 = driving::bearingFeature(angle, x, y, *target2_);
  const double dist2 = driving::distanceFeature(x, y, *target2_, reach);

  const auto& out = network_->compute({speedIn, angle1, dist1, angle2, dist2});
  const double steering = out[0] * 2 - 1;
  const double throttle = out[1] < kLiftedThrottle ? 0.0 : out[1];
  const double brake = speed < kCreepSpeed ? 0.0 : out[2];

  // At speed a small move of the wheel already takes the car aside.
  const double swerve = speed > kFullSwerveSpeed ? std::pow(kFullSwerveSpeed / speed, 2) : 1.0;
  self.steer = std::clamp(
      clampUnit(steering, -1.0) * fullLock(speed, nearDistance) + avoidance(cars) * swerve, -1.0,
      1.0);
  self.throttle = clampUnit(throttle, 0.0);
  self.brake = clampUnit(brake, 0.0);

  std::wostringstream text;
  text << L"speed: " << speedIn << L"\nangle1: " << angle1 << L"\ndist1: " << dist1 << L"\nangle2: "
       << angle2 << L"\ndist2: " << dist2 << L"\n";
  debugText_ = text.str();
}

double CPUDriver::fullLock(double speed, double nearDistance) const {
  const double slip = 1 + speed * speed / (kSlipSpeed * kSlipSpeed * tyreGrip_);
  return std::min(1.0, kPursuitReach * slip * kCellsPerMetre / nearDistance);
}

double CPUDriver::avoidance(const std::vector<physics::Car*>& cars) const {
  // Steer away from cars close ahead, harder the closer they are.
  const physics::Car& self = car();
  const double x = self.getX();
  const double y = self.getY();
  const double angle = self.getAngle();
  const double heading = -angle;
  const double radiusSquared = avoidanceRadius_ * avoidanceRadius_;
  double steering = 0;
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
  return std::isfinite(steering) ? steering : 0.0;
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
  speedWeight_ =
      std::clamp(speedWeight_ + change / kSpeedWeightDivisor, kMinSpeedWeight, kMaxSpeedWeight);

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
  const std::vector<track::TrackPoint>& nodes = line_.nodes();
  const std::size_t count = nodes.size();
  if (count == 0) return true;
  const int effort = std::max(
      1, static_cast<int>(
             driving::planningEffort(config::Options::instance()->getAIInt(config::key::skill)) *
             style_->planningShare));

  if (!searchInProgress_) {
    const std::size_t here = followCar();
    const std::size_t next = (here + 1) % count;
    if (next == here) return true;
    segmentDirection_ = std::atan2(nodes[next].y - nodes[here].y, nodes[next].x - nodes[here].x);
    const double window = std::min(line_.length() / 5, effort * kWindowPerEffort);
    segmentStart_ = next;
    segmentEnd_ = line_.nodeAhead(next, window);
    const auto n = static_cast<long long>(count);
    const auto l = static_cast<long long>(segmentStart_);
    const long long o = driving::unwrapIndex(static_cast<long long>(segmentEnd_), l, n);
    // Nothing to improve, or the window reaches round to behind the start.
    if (segmentStart_ == segmentEnd_ || (l - n / 2 < o && o < l)) return true;
  }

  // Without a surface map there is no road to search.
  if (clearance_ == nullptr) return true;
  float endDirection = 0;
  float endStep = 0;
  const auto found = findPath(workspace_, *clearance_, nodes[segmentStart_], nodes[segmentEnd_],
                              static_cast<float>(segmentDirection_), kPlanStartStep, endDirection,
                              endStep, effort * 10LL, !searchInProgress_);
  if (!found) {
    searchInProgress_ = true;
    return false;
  }
  searchInProgress_ = false;
  // Only a stretch the car drives faster replaces the old one; the line then starts with it.
  if (found->size() >= 2 && line_.replaceStretch(segmentStart_, segmentEnd_, *found)) cursor_ = 0;
  return true;
}

void CPUDriver::carPutBack() {
  const std::vector<track::TrackPoint>& nodes = line_.nodes();
  if (!nodes.empty()) cursor_ = static_cast<int>(driving::nearestNode(nodes, carPosition()));
  searchInProgress_ = false;
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

void CPUDriver::buildInitialPath(SearchWorkspace& workspace) {
  const track::TrackData& road = track();
  const std::size_t count = road.pointCount();
  cursor_ = 0;
  std::vector<track::TrackPoint> trackPoints;
  for (std::size_t i = 0; i < count; ++i) trackPoints.push_back(road.getPoint(i));
  trackLengthSum_ = driving::squaredLengthSum(trackPoints, true);
  if (count == 0) return;

  workspace.weight = searchWeight_;
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

  LegStart start{home, static_cast<float>(car().getAngle() + common::kHalfPi), kPlanStartStep};
  searchedLegs_ = 0;
  std::vector<track::TrackPoint> line;
  for (const track::TrackPoint& goal : goals) addLeg(workspace, line, start, goal, trackPoints);
  searchedLap_ = line;
  line_.assignBent(std::move(line));
}

void CPUDriver::addLeg(SearchWorkspace& workspace, std::vector<track::TrackPoint>& line,
                       LegStart& start, const track::TrackPoint& goal,
                       const std::vector<track::TrackPoint>& trackPoints) {
  const track::TrackData& road = track();
  float endDirection = start.direction;
  float endStep = start.step;
  auto search = [&](const track::TrackPoint& from) {
    if (clearance_ == nullptr) return std::vector<track::TrackPoint>{};
    return findPath(workspace, *clearance_, from, goal, start.direction, start.step, endDirection,
                    endStep, INT_MAX, true)
        .value_or(std::vector<track::TrackPoint>{});
  };
  std::vector<track::TrackPoint> nodes = search(start.point);
  if (nodes.empty() && line.size() >= 4) {
    // The previous leg may have ended where no move leads on; back up a little.
    line.resize(line.size() - 3);
    start.point = line.back();
    nodes = search(start.point);
  }
  if (legKeepsItsWay(start.point, goal, nodes)) {
    ++searchedLegs_;
    start.direction = endDirection;
    start.step = endStep;
  } else {
    nodes = trackPointsBetween(start.point, goal);
    // After backing up, the leg starts on the line's last node; don't repeat it.
    if (!nodes.empty() && !line.empty() && nodes.front().x == line.back().x &&
        nodes.front().y == line.back().y) {
      nodes.erase(nodes.begin());
    }
    // The next leg sets off along the track from this goal.
    const std::size_t at = road.nearestPointIndex(goal);
    const track::TrackPoint& ahead = trackPoints[(at + 1) % trackPoints.size()];
    start.direction = static_cast<float>(std::atan2(ahead.y - goal.y, ahead.x - goal.x));
    start.step = kPlanStartStep;
  }
  line.insert(line.end(), nodes.begin(), nodes.end());
  start.point = goal;
}

bool CPUDriver::legKeepsItsWay(const track::TrackPoint& from, const track::TrackPoint& goal,
                               const std::vector<track::TrackPoint>& nodes) const {
  if (nodes.empty()) return false;
  // Each leg is judged by its own length: one much longer than the road's middle has wandered
  // off, or gone round the wrong way.
  std::vector<track::TrackPoint> walked = {from};
  walked.insert(walked.end(), nodes.begin(), nodes.end());
  return driving::lineLength(walked, false) <=
         kLongestDetour * trackDistanceBetween(from, goal) + kPlanStartStep;
}

double CPUDriver::trackDistanceBetween(const track::TrackPoint& from,
                                       const track::TrackPoint& to) const {
  const std::size_t count = track().pointCount();
  if (count == 0) return 0;
  const std::size_t last = track().nearestPointIndex(to);
  double length = 0;
  for (std::size_t i = track().nearestPointIndex(from); i != last; i = (i + 1) % count) {
    const track::TrackPoint a = track().getPoint(i);
    const track::TrackPoint b = track().getPoint((i + 1) % count);
    length += std::hypot(b.x - a.x, b.y - a.y);
  }
  return length;
}

}  // namespace drivers
