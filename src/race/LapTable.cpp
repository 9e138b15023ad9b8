#include "race/LapTable.h"

#include <utility>

#include "common/Angle.h"
#include "common/Segments.h"
#include "race/TimeFormat.h"
#include "track/Geometry.h"
#include "track/TrackData.h"

namespace race {

namespace {

bool crosses(const LineSegment& line, double fromX, double fromY, double toX, double toY) {
  return common::segmentsCross(line.x1, line.y1, line.x2, line.y2, fromX, fromY, toX, toY);
}

}  // namespace

LineSegment lineAcrossRoad(const track::TrackPoint& p) {
  track::TrackPoint wide = p;
  wide.width = p.width * 2.0;  // half a road width beyond each edge
  // The lap lines have always reduced the rotation with fmod, however small.
  wide.rotation = common::wrapAngle(p.rotation, 0.0, 0.0);
  const track::EdgePoints edges = track::edgePoints(wide, 1.0f);
  return {edges.first.x, edges.first.y, edges.second.x, edges.second.y};
}

LineSegment finishLineOf(const track::TrackData& track) {
  if (track.points.empty()) return {};
  return lineAcrossRoad(track.points.back());
}

LineSegment halfwayLineOf(const track::TrackData& track) {
  if (track.points.empty()) return {};
  return lineAcrossRoad(track.points[track.points.size() / 2]);
}

LapTable::LapTable(int carCount, int lapCount, float frameTime, LineSegment finish,
                   LineSegment halfway)
    : carCount_(carCount < 1 ? 1 : carCount),
      lapCount_(lapCount < 1 ? 1 : lapCount),
      frameTime_(frameTime),
      finish_(finish),
      halfway_(halfway),
      lapTimes_(static_cast<std::size_t>(carCount_),
                std::vector<float>(static_cast<std::size_t>(lapCount_), 0.0f)),
      bestLaps_(static_cast<std::size_t>(carCount_), -1.0f),
      penalties_(static_cast<std::size_t>(carCount_), 0.0f),
      lapsDone_(static_cast<std::size_t>(carCount_), 0),
      passedHalfway_(static_cast<std::size_t>(carCount_), false),
      order_(static_cast<std::size_t>(carCount_)) {
  for (int p = 0; p < carCount_; ++p) order_[p] = p;
}

bool LapTable::carMoved(int car, double fromX, double fromY, double toX, double toY) {
  bool completedRace = false;
  int& laps = lapsDone_[car];
  if (laps < lapCount_) {
    if (passedHalfway_[car] && crosses(finish_, fromX, fromY, toX, toY)) {
      const float lap = lapTimes_[car][laps];
      if (bestLaps_[car] == -1.0f || lap < bestLaps_[car]) bestLaps_[car] = lap;
      ++laps;
      passedHalfway_[car] = false;
      rerank(car);
      completedRace = laps == lapCount_;
    } else if (!passedHalfway_[car] && crosses(halfway_, fromX, fromY, toX, toY)) {
      passedHalfway_[car] = true;
    }
  }
  // On the frame of a finish crossing this frame's time already belongs to the new lap.
  if (laps < lapCount_) lapTimes_[car][laps] += frameTime_;
  return completedRace;
}

void LapTable::addPenalty(int car, float seconds) {
  if (!finished(car)) penalties_[car] += seconds;
}

void LapTable::rerank(int car) {
  int from = carCount_ - 1;
  while (from > 0 && order_[from] != car) --from;
  int to = from - 1;
  while (to >= 0 && lapsDone_[order_[to]] < lapsDone_[car]) --to;
  ++to;
  if (to == 0) leaderLapTime_ = raceClock_ + penalties_[car];
  for (int p = from; p > to; --p) std::swap(order_[p], order_[p - 1]);
}

int LapTable::lapShown(int car) const {
  const int next = lapsDone_[car] + 1;
  return next < lapCount_ ? next : lapCount_;
}

float LapTable::currentLapTime(int car) const {
  const int lap = lapsDone_[car] < lapCount_ ? lapsDone_[car] : lapCount_ - 1;
  return lapTimes_[car][lap];
}

float LapTable::previousLapTime(int car) const {
  return lapsDone_[car] > 0 ? lapTimes_[car][lapsDone_[car] - 1] : -1.0f;
}

float LapTable::totalTime(int car) const {
  float total = 0.0f;
  for (int k = 0; k < lapsDone_[car]; ++k) total += lapTimes_[car][k];
  return total + penalties_[car];
}

std::vector<ResultCells> LapTable::results(const std::vector<std::wstring>& names) const {
  return results(names, order_);
}

std::vector<ResultCells> LapTable::results(const std::vector<std::wstring>& names,
                                           const std::vector<int>& order) const {
  std::vector<ResultCells> rows;
  rows.reserve(order.size());
  // Times and gaps are the referee's: against the leader in laps.
  const int leader = order_[0];
  const int leaderLaps = lapsDone_[leader];
  for (int p = 0; p < carCount_ && p < static_cast<int>(order.size()); ++p) {
    const int c = order[p];
    ResultCells cells;
    cells[0] = L" " + std::to_wstring(p + 1);
    cells[1] = c < static_cast<int>(names.size()) ? names[c] : std::wstring();
    cells[2] = kNoTime;
    cells[4] = formatTime(leaderLaps == 0 ? -1.0f : bestLaps_[c]);
    if (leaderLaps > 0 && lapsDone_[c] == leaderLaps) {
      const float total = totalTime(c);
      cells[2] = formatTime(total);
      // The two clocks add the same frame time in a different order, so a car that finished in
      // the leader's frame could come out a rounding error below it.
      const float gap = total - leaderLapTime_;
      if (c != leader) cells[3] = L"+ " + formatTime(gap > 0.0f ? gap : 0.0f);
    }
    rows.push_back(std::move(cells));
  }
  return rows;
}

}  // namespace race
