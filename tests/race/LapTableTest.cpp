#include <gtest/gtest.h>

#include <limits>

#include "race/LapTable.h"
#include "race/TimeFormat.h"
#include "track/TrackData.h"

namespace {

using race::LapTable;
using race::LineSegment;

constexpr float kFrame = 1.0f / 62.0f;
// A straight course along x: the finish line at x = 0, the halfway line at x = 100.
constexpr LineSegment kFinish{0, -50, 0, 50};
constexpr LineSegment kHalfway{100, -50, 100, 50};

// One frame in which `mover` moves from x0 to x1 (at y 0) and every other car stands still.
bool frame(LapTable& table, int mover, double x0, double x1) {
  bool finished = false;
  for (int c = 0; c < table.carCount(); ++c) {
    if (c == mover)
      finished = table.carMoved(c, x0, 0, x1, 0) || finished;
    else
      table.carMoved(c, -200, 0, -200, 0);
  }
  table.endFrame();
  return finished;
}

// Drives a car round once: over the halfway line and back over the finish line.
bool lap(LapTable& table, int car) {
  frame(table, car, 90, 110);
  return frame(table, car, 10, -10);
}

TEST(FormatTime, FieldsArePaddedAndMinutesAreNotWrapped) {
  EXPECT_EQ(race::formatTime(-0.001f), L"--:--:--.---");
  EXPECT_EQ(race::formatTime(0.0f), L"00:00.000");
  EXPECT_EQ(race::formatTime(0.5f), L"00:00.500");
  EXPECT_EQ(race::formatTime(83.5f), L"01:23.500");
  EXPECT_EQ(race::formatTime(600.0f), L"10:00.000");
  EXPECT_EQ(race::formatTime(6000.0f), L"100:00.000");
  EXPECT_EQ(race::formatTime(61.05f), L"01:01.049");  // single-precision truncation
  EXPECT_EQ(race::formatTime(std::numeric_limits<float>::quiet_NaN()), race::kNoTime);
  EXPECT_EQ(race::formatTime(std::numeric_limits<float>::infinity()), race::kNoTime);
}

TEST(LineAcrossRoad, ReachesHalfARoadWidthBeyondEachEdge) {
  track::TrackPoint point;
  point.x = 200;
  point.y = 300;
  point.width = 40;
  const LineSegment line = race::lineAcrossRoad(point);
  EXPECT_NEAR(line.x1, 240, 1e-9);
  EXPECT_NEAR(line.y1, 300, 1e-9);
  EXPECT_NEAR(line.x2, 160, 1e-6);
  EXPECT_NEAR(line.y2, 300, 1e-6);

  point.offset = 10;
  point.rotation = -1.57079632675;  // brought into 0..2π first
  const LineSegment shifted = race::lineAcrossRoad(point);
  EXPECT_NEAR(shifted.y1, 300 - 30, 1e-6);
  EXPECT_NEAR(shifted.y2, 300 + 50, 1e-6);
}

TEST(LapCounting, NeedsTheHalfwayLineBeforeTheFinish) {
  LapTable table(1, 3, kFrame, kFinish, kHalfway);
  // Reversing over the finish line right after the start.
  frame(table, 0, 10, -10);
  EXPECT_EQ(table.lapsDone(0), 0);
  // Forward over it again, back before the halfway line, and over it once more.
  frame(table, 0, -10, 10);
  frame(table, 0, 60, 50);
  frame(table, 0, 10, -10);
  EXPECT_EQ(table.lapsDone(0), 0);
  EXPECT_FALSE(table.passedHalfway(0));

  lap(table, 0);
  EXPECT_EQ(table.lapsDone(0), 1);
  EXPECT_FALSE(table.passedHalfway(0));
  // The halfway line alone twice does not make a lap either.
  frame(table, 0, 90, 110);
  frame(table, 0, 110, 90);
  EXPECT_EQ(table.lapsDone(0), 1);
}

TEST(LapCounting, TimesBestLapAndTheClockStopAtTheFinish) {
  LapTable table(1, 2, kFrame, kFinish, kHalfway);
  for (int i = 0; i < 10; ++i) frame(table, 0, -200, -200);
  lap(table, 0);  // 11 frames in lap 1; the crossing frame already counts for lap 2
  EXPECT_NEAR(table.lapTime(0, 0), 11 * kFrame, 1e-5);
  EXPECT_NEAR(table.lapTime(0, 1), kFrame, 1e-6);
  EXPECT_FLOAT_EQ(table.bestLap(0), table.lapTime(0, 0));
  EXPECT_FLOAT_EQ(table.previousLapTime(0), table.lapTime(0, 0));
  EXPECT_EQ(table.lapShown(0), 2);

  EXPECT_TRUE(lap(table, 0));  // a quicker second lap: 2 frames
  EXPECT_TRUE(table.finished(0));
  EXPECT_NEAR(table.bestLap(0), 2 * kFrame, 1e-6);
  const float last = table.lapTime(0, 1);
  for (int i = 0; i < 10; ++i) lap(table, 0);
  EXPECT_EQ(table.lapsDone(0), 2);
  EXPECT_FLOAT_EQ(table.lapTime(0, 1), last);
  EXPECT_EQ(table.lapShown(0), 2);
  EXPECT_FLOAT_EQ(table.currentLapTime(0), last);  // the last lap, not a lap that doesn't exist
  EXPECT_NEAR(table.raceClock(), 34 * kFrame, 1e-4);
}

TEST(Ranking, SameFrameFinishesRankTheLowerIndexFirst) {
  LapTable table(3, 3, kFrame, kFinish, kHalfway);
  for (int c = 0; c < 3; ++c) table.carMoved(c, 90, 0, 110, 0);
  table.endFrame();
  // Cars 2 and 1 cross in the same frame; car 0 stays behind.
  table.carMoved(0, -200, 0, -200, 0);
  table.carMoved(1, 10, 0, -10, 0);
  table.carMoved(2, 10, 0, -10, 0);
  table.endFrame();
  EXPECT_EQ(table.order(), (std::vector<int>{1, 2, 0}));
}

TEST(Ranking, ACarPassesOnlyCarsWithFewerLaps) {
  LapTable table(3, 5, kFrame, kFinish, kHalfway);
  lap(table, 2);  // car 2 leads with one lap
  EXPECT_EQ(table.order(), (std::vector<int>{2, 0, 1}));
  lap(table, 1);  // car 1 draws level on laps but finished that lap later
  EXPECT_EQ(table.order(), (std::vector<int>{2, 1, 0}));
  lap(table, 0);
  EXPECT_EQ(table.order(), (std::vector<int>{2, 1, 0}));
  lap(table, 0);  // two laps: ahead of everyone
  EXPECT_EQ(table.order(), (std::vector<int>{0, 2, 1}));
  EXPECT_FLOAT_EQ(table.leaderLapTime(), table.raceClock() - kFrame);
}

TEST(Results, LappedCarsShowNoTotalAndTheLeaderNoDifference) {
  LapTable table(3, 5, kFrame, kFinish, kHalfway);
  const std::vector<std::wstring> names{L"Ann", L"Bob", L"Cid"};
  auto rows = table.results(names);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (race::ResultCells{L" 1", L"Ann", race::kNoTime, L"", race::kNoTime}));

  lap(table, 0);                                      // car 0: 2 frames
  for (int i = 0; i < 4; ++i) frame(table, 2, 0, 0);  // a pause of 4 frames
  lap(table, 1);                                      // car 1: same lap, 8 frames later
  lap(table, 0);
  rows = table.results(names);
  EXPECT_EQ(rows[0][1], L"Ann");
  EXPECT_EQ(rows[0][2], race::formatTime(table.totalTime(0)));
  EXPECT_EQ(rows[0][3], L"");
  // Bob is a lap down: no total, no difference, but his best lap.
  EXPECT_EQ(rows[1][1], L"Bob");
  EXPECT_EQ(rows[1][2], race::kNoTime);
  EXPECT_EQ(rows[1][3], L"");
  EXPECT_EQ(rows[1][4], race::formatTime(table.bestLap(1)));
  EXPECT_EQ(rows[2][4], race::kNoTime);

  lap(table, 1);  // Bob completes his second lap: the gap to Ann at two laps
  rows = table.results(names);
  EXPECT_EQ(rows[1][1], L"Bob");
  EXPECT_EQ(rows[1][3], L"+ " + race::formatTime(table.totalTime(1) - table.leaderLapTime()));
}

TEST(Results, APenaltyCountsInTheTotalAndTheGapButNotInTheLapOrTheOrder) {
  LapTable table(2, 2, kFrame, kFinish, kHalfway);
  const std::vector<std::wstring> names{L"Ann", L"Bob"};
  table.addPenalty(0, 3.0f);
  lap(table, 0);
  lap(table, 1);
  EXPECT_EQ(table.order(), (std::vector<int>{0, 1}));  // Ann crossed the line first
  EXPECT_FLOAT_EQ(table.bestLap(0), table.lapTime(0, 0));
  EXPECT_FLOAT_EQ(table.totalTime(0), table.lapTime(0, 0) + 3.0f);
  EXPECT_FLOAT_EQ(table.leaderLapTime(), table.totalTime(0));
  // Rows in another order (the live standings) keep the leader's times and gaps.
  const auto rows = table.results(names, {1, 0});
  EXPECT_EQ(rows[0][1], L"Bob");
  EXPECT_EQ(rows[0][0], L" 1");
  EXPECT_EQ(rows[0][3], L"+ " + race::formatTime(0.0f));  // Bob is quicker, Ann still leads
  EXPECT_EQ(rows[1][1], L"Ann");
  EXPECT_EQ(rows[1][3], L"");
  lap(table, 0);
  table.addPenalty(0, 3.0f);  // finished: nothing more is added
  EXPECT_EQ(table.penalty(0), 3.0f);
}

TEST(Results, SameFrameFinishersShowAGapNotThePlaceholder) {
  // The lap clocks and the race clock add the frame time in different sums; cars that finish
  // together must still show a gap, never "+ --:--:--.---".
  LapTable table(2, 3, kFrame, kFinish, kHalfway);
  for (int lapIndex = 0; lapIndex < 3; ++lapIndex) {
    for (int i = 0; i < 317; ++i) frame(table, -1, 0, 0);
    for (int c = 0; c < 2; ++c) table.carMoved(c, 90, 0, 110, 0);
    table.endFrame();
    for (int c = 0; c < 2; ++c) table.carMoved(c, 10, 0, -10, 0);
    table.endFrame();
  }
  ASSERT_TRUE(table.finished(1));
  const auto rows = table.results({L"A", L"B"});
  EXPECT_EQ(rows[1][3].substr(0, 2), L"+ ");
  EXPECT_EQ(rows[1][3].find(L"--"), std::wstring::npos);
}

}  // namespace
