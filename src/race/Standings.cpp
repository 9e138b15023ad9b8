#include "race/Standings.h"

#include <algorithm>
#include <cmath>

#include "physics/Car.h"
#include "race/LapPath.h"
#include "race/LapTable.h"

namespace race {
namespace {

// Moving back along the track by more than this in a frame (world units; half a metre per
// second of the car's time) counts as driving the wrong way.
constexpr double kWrongWayMove = 0.05;
constexpr float kWrongWayNoticeSeconds = 1.0f;

}  // namespace

double lapProgress(int lapsDone, bool passedHalfway, double lapFraction, double halfwayFraction) {
  const bool behindTheLine = !passedHalfway && lapFraction > halfwayFraction;
  return lapsDone + (behindTheLine ? lapFraction - 1.0 : lapFraction);
}

Standings::Standings(const LapPath& path, int carCount, float frameTime)
    : path_(path),
      frameTime_(frameTime),
      segment_(static_cast<std::size_t>(carCount), -1),
      roadSegment_(static_cast<std::size_t>(carCount), 0),
      progress_(static_cast<std::size_t>(carCount), 0.0),
      wrongWay_(static_cast<std::size_t>(carCount), 0.0f),
      order_(static_cast<std::size_t>(carCount)),
      position_(static_cast<std::size_t>(carCount)),
      passings_(static_cast<std::size_t>(carCount),
                std::vector<Passing>(static_cast<std::size_t>(path.segmentCount()))),
      gaps_(static_cast<std::size_t>(carCount)) {
  for (int c = 0; c < carCount; ++c) {
    order_[static_cast<std::size_t>(c)] = c;
    position_[static_cast<std::size_t>(c)] = c + 1;
  }
}

void Standings::update(const std::vector<physics::Car*>& cars, const LapTable& laps) {
  for (int c = 0; c < carCount() && c < static_cast<int>(cars.size()); ++c)
    locateCar(c, *cars[static_cast<std::size_t>(c)], laps);
  sortOrder(laps);
}

void Standings::locateCar(int car, const physics::Car& c, const LapTable& laps) {
  const auto i = static_cast<std::size_t>(car);
  if (laps.finished(car)) {
    // Its place is settled; it drives on, but nothing about it is timed any more.
    progress_[i] = laps.lapCount();
    wrongWay_[i] = 0;
    return;
  }
  const int before = segment_[i];
  const PathPosition where = path_.locate(c.getX(), c.getY(), before);
  segment_[i] = where.segment;
  if (where.distance <= LapPath::kFarFromPath) roadSegment_[i] = where.segment;
  progress_[i] = lapProgress(laps.lapsDone(car), laps.passedHalfway(car), where.lapFraction,
                             path_.halfwayFraction());
  const double along = (c.getX() - c.getPreviousX()) * where.directionX +
                       (c.getY() - c.getPreviousY()) * where.directionY;
  const bool backwards = along < -kWrongWayMove;
  wrongWay_[i] = backwards ? wrongWay_[i] + frameTime_ : 0.0f;
  // Passings against the track time nothing, and once WRONG WAY shows the old gap is gone too:
  // it is timed afresh at the first point passed the right way.
  if (wrongWay(car)) gaps_[i].reset();
  if (before >= 0 && where.segment != before && !backwards) {
    timeGap(car, where.segment, laps.raceClock());
  } else {
    widenGap(car, where.segment, laps.raceClock());
  }
}

void Standings::carMoved(int car) {
  segment_[static_cast<std::size_t>(car)] = -1;
  gaps_[static_cast<std::size_t>(car)].reset();
}

void Standings::sortOrder(const LapTable& laps) {
  // The referee's order already has the finished cars first, in the order they finished.
  order_.clear();
  for (int c : laps.order())
    if (laps.finished(c)) order_.push_back(c);
  const auto finishedCount = static_cast<std::ptrdiff_t>(order_.size());
  for (int c = 0; c < carCount(); ++c)
    if (!laps.finished(c)) order_.push_back(c);
  std::stable_sort(order_.begin() + finishedCount, order_.end(),
                   [this](int a, int b) { return progress(a) > progress(b); });
  for (int p = 0; p < carCount(); ++p) position_[static_cast<std::size_t>(order_[p])] = p + 1;
}

void Standings::timeGap(int car, int segment, float now) {
  const auto i = static_cast<std::size_t>(car);
  const int lap = static_cast<int>(std::floor(progress_[i]));
  passings_[i][static_cast<std::size_t>(segment)] = {lap, now};
  const int place = position_[i];
  if (place <= 1) {
    gaps_[i].reset();
    return;
  }
  const auto ahead = static_cast<std::size_t>(order_[static_cast<std::size_t>(place - 2)]);
  const Passing& theirs = passings_[ahead][static_cast<std::size_t>(segment)];
  if (theirs.lap > lap) {
    gaps_[i] = Gap{theirs.lap - lap, 0.0f};
  } else if (theirs.lap == lap) {
    gaps_[i] = Gap{0, now - theirs.time};
  }
  // Otherwise the car ahead has not been here on this lap (it went round another way): the
  // last gap stands.
}

void Standings::widenGap(int car, int segment, float now) {
  const auto i = static_cast<std::size_t>(car);
  std::optional<Gap>& gap = gaps_[i];
  const int next = segment + 1;
  const int place = position_[i];
  // Past the last piece the lap changes: the gap waits there for the finish line's timing.
  if (!gap || gap->laps != 0 || segment < 0 || next >= path_.segmentCount() || place <= 1) return;
  const auto ahead = static_cast<std::size_t>(order_[static_cast<std::size_t>(place - 2)]);
  const Passing& theirs = passings_[ahead][static_cast<std::size_t>(next)];
  if (theirs.lap == static_cast<int>(std::floor(progress_[i]))) {
    gap->seconds = std::max(gap->seconds, now - theirs.time);
  }
}

std::optional<Gap> Standings::gapAhead(int car) const {
  if (position(car) <= 1) return std::nullopt;
  return gaps_[static_cast<std::size_t>(car)];
}

bool Standings::wrongWay(int car) const {
  return wrongWaySeconds(car) > kWrongWayNoticeSeconds;
}

}  // namespace race
