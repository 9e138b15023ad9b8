#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "race/LapPath.h"
#include "race/LapTable.h"
#include "race/RaceNotices.h"
#include "race/Standings.h"
#include "support/FakeCar.h"
#include "track/TrackData.h"

namespace {

constexpr float kFrame = 1.0f / 62.0f;
constexpr double kTwoPi = 6.283185307179586;
constexpr int kPoints = 72;
constexpr double kRadius = 400, kCentre = 500;
// Laps per frame, about 9 world units. A movement that ends exactly on a line does not cross
// it (nor does the next, which starts there): the steps never add up to a whole lap.
constexpr double kStep = 0.0037;

// A point `laps` round the circle from the finish line, (900, 500), driving clockwise on the
// screen.
double xAt(double laps) {
  return kCentre + kRadius * std::cos(kTwoPi * laps);
}
double yAt(double laps) {
  return kCentre + kRadius * std::sin(kTwoPi * laps);
}

// A round track of 72 points, its finish line at the file's first point (the path's last),
// with four cars racing three laps on it, scripted by hand.
class CircleRace : public ::testing::Test {
 protected:
  CircleRace() {
    for (int i = 0; i < kPoints; ++i) {
      const double angle = kTwoPi * (i + 1) / kPoints;
      track_.points.push_back({xAt((i + 1.0) / kPoints), yAt((i + 1.0) / kPoints), 60, 0, angle});
    }
    path_ = std::make_unique<race::LapPath>(track_);
    laps_ = std::make_unique<race::LapTable>(kCars, 3, kFrame, race::finishLineOf(track_),
                                             race::halfwayLineOf(track_));
    standings_ = std::make_unique<race::Standings>(*path_, kCars, kFrame);
    for (int c = 0; c < kCars; ++c) {
      where_.push_back(-0.0113 - 0.0051 * c);  // the grid, behind the line
      cars_.push_back(std::make_unique<FakeCar>(track_, xAt(where_[c]), yAt(where_[c])));
      pointers_.push_back(cars_.back().get());
    }
    standings_->update(pointers_, *laps_);
  }

  // One frame in which `mover` goes `step` laps on (back when negative); the others stand.
  void frame(int mover, double step) {
    for (int c = 0; c < kCars; ++c) {
      if (c == mover) where_[c] += step;
      cars_[c]->moveTo(xAt(where_[c]), yAt(where_[c]));
      laps_->carMoved(c, cars_[c]->getPreviousX(), cars_[c]->getPreviousY(), cars_[c]->x,
                      cars_[c]->y);
    }
    laps_->endFrame();
    standings_->update(pointers_, *laps_);
    notices_.update(*laps_, *standings_);
  }
  // Drives `mover` to `to` laps round (from the finish line of the first lap), a frame at a
  // time; `each` is called after every frame.
  template <typename Each>
  void drive(int mover, double to, Each each) {
    while (std::abs(to - where_[mover]) > 1e-9) {
      frame(mover, std::clamp(to - where_[mover], -kStep, kStep));
      each();
    }
  }
  void drive(int mover, double to) {
    drive(mover, to, [] {});
  }

  static constexpr int kCars = 4;
  track::TrackData track_;
  std::unique_ptr<race::LapPath> path_;
  std::unique_ptr<race::LapTable> laps_;
  std::unique_ptr<race::Standings> standings_;
  race::RaceNotices notices_{kCars, 62};
  std::vector<double> where_;
  std::vector<std::unique_ptr<FakeCar>> cars_;
  std::vector<physics::Car*> pointers_;
};

TEST_F(CircleRace, ProgressRisesRoundTheLapStartsAgainAtTheLineAndFallsWhenTheCarTurnsBack) {
  // On the grid the cars stand behind the line, in grid order.
  EXPECT_NEAR(standings_->progress(0), -0.0113, 1e-3);
  EXPECT_EQ(standings_->order(), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_NEAR(path_->halfwayFraction(), 0.5, 0.02);

  double last = standings_->progress(0);
  drive(0, 2.5, [&] {
    const double now = standings_->progress(0);
    ASSERT_GT(now, last);
    ASSERT_LT(now - last, 0.01);  // no jump at the line, at the halfway line or anywhere
    last = now;
  });
  EXPECT_EQ(laps_->lapsDone(0), 2);
  EXPECT_NEAR(standings_->progress(0), 2.5, 1e-3);

  // Back over the line: the lap stays counted, but the car is behind the line again.
  drive(0, 1.9, [&] {
    const double now = standings_->progress(0);
    ASSERT_LT(now, last);
    ASSERT_LT(last - now, 0.01);
    last = now;
  });
  EXPECT_EQ(laps_->lapsDone(0), 2);
  EXPECT_NEAR(standings_->progress(0), 1.9, 1e-3);

  // A car that reverses over the line at the start has not started a lap: it is behind, not
  // nearly round.
  drive(1, -0.2);
  EXPECT_NEAR(standings_->progress(1), -0.2, 1e-3);
  drive(1, 0.1);
  EXPECT_NEAR(standings_->progress(1), 0.1, 1e-3);
}

TEST_F(CircleRace, LiveOrderWithALappedCarTwoOnOneLapAndOneDrivingBackwards) {
  drive(0, 0.6);  // a lap down on the others
  drive(1, 1.3);  // the same lap as car 2, behind it
  drive(2, 1.7);
  drive(3, 1.8);  // leads, then drives back past car 1
  EXPECT_EQ(standings_->order(), (std::vector<int>{3, 2, 1, 0}));
  int framesBackwards = 0;
  drive(3, 1.2, [&] {
    ++framesBackwards;
    // Over a second: 62 frames is exactly one, which rounding may put either side.
    if (framesBackwards != 62) {
      EXPECT_EQ(standings_->wrongWay(3), framesBackwards > 62) << framesBackwards;
    }
    // No gap line goes stale beside WRONG WAY.
    if (standings_->wrongWay(3)) {
      EXPECT_FALSE(standings_->gapAhead(3).has_value());
    }
  });
  EXPECT_EQ(standings_->order(), (std::vector<int>{2, 1, 3, 0}));
  EXPECT_EQ(standings_->position(3), 3);
  EXPECT_EQ(notices_.active(3), std::vector<std::wstring>{race::RaceNotices::kWrongWay});

  // Gaps are timed where a car passes a path point: to the car ahead on the same lap in
  // seconds, to one that passed there a lap later in laps.
  drive(1, 1.33);
  ASSERT_TRUE(standings_->gapAhead(1).has_value());
  EXPECT_EQ(standings_->gapAhead(1)->laps, 0);
  EXPECT_GT(standings_->gapAhead(1)->seconds, 0);
  drive(0, 0.65);
  ASSERT_TRUE(standings_->gapAhead(0).has_value());
  EXPECT_EQ(standings_->gapAhead(0)->laps, 1);
  EXPECT_FALSE(standings_->gapAhead(2).has_value());  // the leader

  // Driving on along the track, the notice goes at once.
  frame(3, kStep);
  EXPECT_FALSE(standings_->wrongWay(3));
  EXPECT_TRUE(notices_.active(3).empty());

  // The result table lists the same order.
  const auto rows = laps_->results({L"A", L"B", L"C", L"D"}, standings_->order());
  EXPECT_EQ(rows[0][1], L"C");
  EXPECT_EQ(rows[1][1], L"B");
  EXPECT_EQ(rows[2][1], L"D");
  EXPECT_EQ(rows[3][1], L"A");
  EXPECT_EQ(rows[3][0], L" 4");

  // A finished car keeps the place it finished in, wherever it drives after.
  drive(1, 3.05);
  EXPECT_TRUE(laps_->finished(1));
  EXPECT_EQ(standings_->order().front(), 1);
  drive(1, 2.5);
  drive(2, 2.9);
  EXPECT_EQ(standings_->order(), (std::vector<int>{1, 2, 3, 0}));
}

// A car that stops loses time to the car ahead at once, not only at the next point it passes:
// its gap grows while it stands, and driving on again it does not fall back.
TEST_F(CircleRace, TheGapToTheCarAheadGrowsWhileACarStands) {
  drive(0, 0.5);
  drive(1, 0.3);
  ASSERT_TRUE(standings_->gapAhead(1).has_value());
  const float timed = standings_->gapAhead(1)->seconds;
  for (int standing = 0; standing < 124; ++standing) frame(-1, 0.0);  // two seconds
  // It grows once the car ahead's passing of the next point is further back than the gap.
  EXPECT_GT(standings_->gapAhead(1)->seconds, timed + 1.8f);
  EXPECT_LE(standings_->gapAhead(1)->seconds, timed + 2.0f + kFrame);
  float last = standings_->gapAhead(1)->seconds;
  drive(1, 0.4, [&] {
    ASSERT_TRUE(standings_->gapAhead(1).has_value());
    ASSERT_GE(standings_->gapAhead(1)->seconds, last - 1e-4f);  // the car ahead stands still
    last = standings_->gapAhead(1)->seconds;
  });
}

TEST_F(CircleRace, NoticesForTheLastLapABetterLapAPenaltyAndTheFinish) {
  auto shownFor = [&](int car, const wchar_t* notice) {
    const auto active = notices_.active(car);
    return std::find(active.begin(), active.end(), notice) != active.end();
  };
  drive(0, 1.05);
  EXPECT_FALSE(shownFor(0, race::RaceNotices::kNewBestLap));  // the first lap is no news
  drive(0, 2.05);  // the second lap is faster: it started at speed
  EXPECT_TRUE(shownFor(0, race::RaceNotices::kNewBestLap));
  EXPECT_TRUE(shownFor(0, race::RaceNotices::kFinalLap));
  for (int i = 0; i < 124; ++i) frame(1, 0);  // two seconds later both are gone
  EXPECT_TRUE(notices_.active(0).empty());

  notices_.penalised(0);
  EXPECT_TRUE(shownFor(0, race::RaceNotices::kPenalty));

  drive(1, 3.05);
  drive(0, 3.05);
  EXPECT_EQ(race::RaceNotices::finishBanner(0, *laps_, *standings_), L"FINISHED \u2014 2nd");
  EXPECT_EQ(race::RaceNotices::finishBanner(1, *laps_, *standings_), L"FINISHED \u2014 1st");
  EXPECT_EQ(race::RaceNotices::finishBanner(2, *laps_, *standings_), L"");
}

TEST(Ordinal, EnglishSuffixes) {
  EXPECT_EQ(race::ordinal(1), L"1st");
  EXPECT_EQ(race::ordinal(2), L"2nd");
  EXPECT_EQ(race::ordinal(3), L"3rd");
  EXPECT_EQ(race::ordinal(4), L"4th");
  EXPECT_EQ(race::ordinal(11), L"11th");
  EXPECT_EQ(race::ordinal(12), L"12th");
  EXPECT_EQ(race::ordinal(13), L"13th");
  EXPECT_EQ(race::ordinal(21), L"21st");
  EXPECT_EQ(race::ordinal(112), L"112th");
}

}  // namespace
