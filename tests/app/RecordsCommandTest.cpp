#include <gtest/gtest.h>

#include <sstream>

#include "MenuFixture.h"
#include "app/commands/RecordsCommand.h"
#include "records/RecordBook.h"
#include "support/TestSupport.h"
#include "track/TrackLoader.h"

namespace {

constexpr std::int64_t kNow = 1'800'000'000;

records::RaceResult raceOn(const records::TrackKey& track, int laps, double seconds) {
  records::RaceResult race;
  race.track = track;
  race.laps = laps;
  race.cars = 4;
  race.place = 2;
  race.seconds = seconds;
  race.bestLap = seconds / laps - 1;
  race.driver = "Ann";
  race.difficulty = "hard";
  race.date = kNow;
  return race;
}

TEST(RecordsCommand, PrintsEveryTracksRecordsOrOneTracksWithItsLastRaces) {
  testsupport::TempDir dir;
  const std::string ring = dir.write("ring.rst", menutest::squareTrack("Ring", "r.png", 4));
  const records::TrackKey key{"ring.rst", track::importTrack(ring)->pathFingerprint};
  records::RecordBook book(dir.folder() + "records.db", kNow);
  std::ostringstream out, errors;
  EXPECT_EQ(app::printRecords(book, "", out, errors), 0);
  EXPECT_EQ(out.str(), "No records yet.\n");

  book.recordRace(raceOn(key, 3, 150.0));
  book.recordRace(raceOn({"other.rst", "00"}, 1, 61.5));
  book.recordRace(raceOn({"ring.rst", "an earlier road"}, 3, 120.0));
  out.str("");
  EXPECT_EQ(app::printRecords(book, "", out, errors), 0);
  const std::string all = out.str();
  EXPECT_NE(all.find("ring.rst\tlap\t-\t00:49.000\tAnn\thard\t"), std::string::npos) << all;
  EXPECT_NE(all.find("ring.rst\trace\t3\t02:30.000\tAnn\thard\t"), std::string::npos) << all;
  EXPECT_NE(all.find("other.rst\trace\t1\t01:01.500\t"), std::string::npos) << all;

  // One track: its present road's records and its finished races, not the earlier road's.
  out.str("");
  EXPECT_EQ(app::printRecords(book, ring, out, errors), 0);
  const std::string one = out.str();
  EXPECT_EQ(one.find("02:00.000"), std::string::npos) << one;
  EXPECT_EQ(one.find("other.rst"), std::string::npos) << one;
  EXPECT_NE(one.find("ring.rst\tfinished\t3\t02:30.000\tAnn\thard\t"), std::string::npos) << one;
  EXPECT_NE(one.find("\t2/4\n"), std::string::npos) << one;

  EXPECT_EQ(app::printRecords(book, dir.folder() + "missing.rst", out, errors), 1);
  EXPECT_NE(errors.str().find("missing.rst"), std::string::npos);
}

}  // namespace
