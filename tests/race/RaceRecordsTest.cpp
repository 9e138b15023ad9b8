#include <gtest/gtest.h>

#include "race/LapTable.h"
#include "race/RaceRecords.h"
#include "records/RecordBook.h"
#include "support/TestSupport.h"

namespace {

using race::LapTable;
using race::LineSegment;

constexpr float kFrame = 1.0f / 62.0f;
constexpr LineSegment kFinish{0, -50, 0, 50};
constexpr LineSegment kHalfway{100, -50, 100, 50};
constexpr std::int64_t kNow = 1'800'000'000;
const records::TrackKey kTrack{"oval.rst", "0123456789abcdef"};

// `frames` frames in which nobody moves, then car `mover` drives a lap: over the halfway line
// and back over the finish line.
void lapAfter(LapTable& laps, int mover, int frames) {
  auto frame = [&](double x0, double x1) {
    for (int c = 0; c < laps.carCount(); ++c) {
      if (c == mover) {
        laps.carMoved(c, x0, 0, x1, 0);
      } else {
        laps.carMoved(c, -200, 0, -200, 0);
      }
    }
    laps.endFrame();
  };
  for (int i = 0; i < frames; ++i) frame(-300, -300);
  frame(90, 110);
  frame(10, -10);
}

class RaceRecordsTest : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
  records::RecordBook book{dir.folder() + "records.db", kNow};
};

TEST_F(RaceRecordsTest, OnlyThePlayersFinishedRaceIsRecordedAndAComputersLapNeverIs) {
  race::RaceRecords records(&book);
  records.start(kTrack, 1, 2, {0, "Zoë", "hard"});
  EXPECT_FALSE(records.recordLap());

  LapTable laps(2, 1, kFrame, kFinish, kHalfway);
  lapAfter(laps, 1, 10);  // the computer finishes first, with the faster lap
  records.update(laps, kNow);
  EXPECT_FALSE(records.recorded());
  lapAfter(laps, 0, 40);
  records.update(laps, kNow);
  ASSERT_TRUE(records.recorded());
  EXPECT_TRUE(records.newRecords().lap);
  EXPECT_TRUE(records.newRecords().race);

  const auto lap = book.bestLap(kTrack);
  ASSERT_TRUE(lap);
  EXPECT_FLOAT_EQ(static_cast<float>(lap->seconds), laps.bestLap(0));
  EXPECT_GT(lap->seconds, laps.bestLap(1));  // the computer's faster lap is not the record
  EXPECT_EQ(lap->driver, "Zoë");
  const auto races = book.lastRaces(kTrack, 5);
  ASSERT_EQ(races.size(), 1u);
  EXPECT_EQ(races[0].place, 2);
  EXPECT_EQ(races[0].cars, 2);
  EXPECT_FLOAT_EQ(static_cast<float>(races[0].seconds), laps.totalTime(0));
  records.end(&laps, kNow);  // recorded once only
  EXPECT_EQ(book.lastRaces(kTrack, 5).size(), 1u);

  // The next race shows the record to beat.
  race::RaceRecords next(&book);
  next.start(kTrack, 1, 2, {0, "Zoë", "hard"});
  EXPECT_EQ(next.recordLap(), lap->seconds);
}

TEST_F(RaceRecordsTest, ARaceOfComputersRecordsNothingAndALeftRaceKeepsOnlyTheLap) {
  race::RaceRecords computers(&book);
  computers.start(kTrack, 1, 2, {-1, "", "medium"});
  LapTable fast(2, 1, kFrame, kFinish, kHalfway);
  lapAfter(fast, 0, 0);
  lapAfter(fast, 1, 0);
  computers.update(fast, kNow);
  computers.end(&fast, kNow);
  EXPECT_FALSE(book.bestLap(kTrack));
  EXPECT_TRUE(book.lastRaces(kTrack, 5).empty());

  // Two laps, one driven, then the player leaves: the lap counts, the race does not.
  race::RaceRecords left(&book);
  left.start(kTrack, 2, 1, {0, "Ann", "easy"});
  LapTable laps(1, 2, kFrame, kFinish, kHalfway);
  lapAfter(laps, 0, 20);
  left.update(laps, kNow);
  EXPECT_FALSE(left.recorded());
  left.end(&laps, kNow);
  ASSERT_TRUE(book.bestLap(kTrack));
  EXPECT_EQ(book.bestLap(kTrack)->driver, "Ann");
  EXPECT_FALSE(book.bestRace(kTrack, 2));
  EXPECT_TRUE(book.lastRaces(kTrack, 5).empty());
}

}  // namespace
