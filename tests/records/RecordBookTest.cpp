#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "records/RecordBook.h"
#include "records/Schema.h"
#include "records/Sqlite.h"
#include "support/TestSupport.h"

namespace {

using records::Record;
using records::RecordBook;
using records::TrackKey;

constexpr std::int64_t kNow = 1'800'000'000;
const TrackKey kHarbour{"harbour_loop.rst", "00112233aabbccdd"};

records::RaceResult raceOn(const TrackKey& track, int laps, double seconds, double bestLap,
                           std::int64_t date = kNow) {
  records::RaceResult race;
  race.track = track;
  race.laps = laps;
  race.cars = 4;
  race.place = 2;
  race.seconds = seconds;
  race.bestLap = bestLap;
  race.driver = "Zoë";
  race.difficulty = "hard";
  race.date = date;
  return race;
}

class RecordBookTest : public ::testing::Test {
 protected:
  std::string file() const { return dir.folder() + "kelvane/records.db"; }
  // The names in the folder other than the database itself.
  std::vector<std::string> movedAside() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "kelvane")) {
      const std::string name = entry.path().filename().string();
      if (name != "records.db") names.push_back(name);
    }
    return names;
  }
  testsupport::TempDir dir;
};

TEST_F(RecordBookTest, AFasterLapOrRaceReplacesTheRecordAndASlowerOneDoesNot) {
  RecordBook book(file(), kNow);
  EXPECT_FALSE(book.bestLap(kHarbour));
  EXPECT_EQ(book.takeNotice(), "");
  EXPECT_EQ(book.file(), file());

  const records::NewRecords first = book.recordRace(raceOn(kHarbour, 3, 150.0, 48.5));
  EXPECT_TRUE(first.lap);
  EXPECT_TRUE(first.race);
  const records::NewRecords slower = book.recordRace(raceOn(kHarbour, 3, 151.0, 49.0));
  EXPECT_FALSE(slower.lap);
  EXPECT_FALSE(slower.race);
  EXPECT_DOUBLE_EQ(book.bestLap(kHarbour)->seconds, 48.5);
  EXPECT_EQ(book.bestLap(kHarbour)->driver, "Zoë");
  EXPECT_EQ(book.bestLap(kHarbour)->difficulty, "hard");

  // Race records are kept per lap count; a lap from a race left early counts as a lap.
  EXPECT_FALSE(book.bestRace(kHarbour, 5));
  EXPECT_TRUE(book.recordRace(raceOn(kHarbour, 5, 260.0, 49.9)).race);
  EXPECT_DOUBLE_EQ(book.bestRace(kHarbour, 3)->seconds, 150.0);
  EXPECT_FALSE(book.offerLap(kHarbour, Record{48.6, "Ann", "easy", kNow}));
  EXPECT_TRUE(book.offerLap(kHarbour, Record{47.25, "Ann", "easy", kNow + 60}));
  EXPECT_EQ(book.bestLap(kHarbour)->driver, "Ann");
  EXPECT_EQ(book.bestLap(kHarbour)->date, kNow + 60);

  // Kept in the file: a new book finds them.
  RecordBook again(file(), kNow);
  EXPECT_DOUBLE_EQ(again.bestLap(kHarbour)->seconds, 47.25);
  const auto all = again.allRecords();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].track, kHarbour);
  ASSERT_EQ(all[0].races.size(), 2u);
  EXPECT_EQ(all[0].races[0].first, 3);
  EXPECT_EQ(all[0].races[1].first, 5);
}

TEST_F(RecordBookTest, AnEditedTrackStartsWithoutRecords) {
  RecordBook book(file(), kNow);
  book.recordRace(raceOn(kHarbour, 3, 150.0, 48.5));
  const TrackKey edited{kHarbour.file, "ffffffffffffffff"};
  EXPECT_FALSE(book.bestLap(edited));
  EXPECT_FALSE(book.bestRace(edited, 3));
  EXPECT_TRUE(book.lastRaces(edited, 5).empty());
  EXPECT_TRUE(book.recordRace(raceOn(edited, 3, 170.0, 55.0)).lap);
  EXPECT_DOUBLE_EQ(book.bestLap(kHarbour)->seconds, 48.5);
}

TEST_F(RecordBookTest, FinishedRacesAreKeptNewestFirst) {
  RecordBook book(file(), kNow);
  book.recordRace(raceOn(kHarbour, 3, 150.0, 48.5, kNow));
  auto second = raceOn(kHarbour, 2, 99.0, 48.9, kNow + 300);
  second.place = 1;
  second.cars = 6;
  book.recordRace(second);
  book.recordRace(raceOn(TrackKey{"other.rst", "0"}, 1, 50.0, 50.0));

  const auto races = book.lastRaces(kHarbour, 5);
  ASSERT_EQ(races.size(), 2u);
  EXPECT_EQ(races[0].laps, 2);
  EXPECT_EQ(races[0].cars, 6);
  EXPECT_EQ(races[0].place, 1);
  EXPECT_DOUBLE_EQ(races[0].seconds, 99.0);
  EXPECT_EQ(races[0].date, kNow + 300);
  EXPECT_EQ(races[1].laps, 3);
  EXPECT_EQ(book.lastRaces(kHarbour, 1).size(), 1u);
}

TEST_F(RecordBookTest, ADamagedFileIsMovedAsideAndTheGameGoesOn) {
  std::filesystem::create_directories(dir.path() / "kelvane");
  dir.write("kelvane/records.db", std::string(4096, 'x'));
  RecordBook book(file(), kNow);
  const std::string notice = book.takeNotice();
  EXPECT_NE(notice.find("could not be used"), std::string::npos) << notice;
  const auto moved = movedAside();
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0].rfind("records.db.damaged-", 0), 0u) << moved[0];
  EXPECT_NE(notice.find(moved[0]), std::string::npos) << notice;
  EXPECT_EQ(testsupport::readFile(dir.folder() + "kelvane/" + moved[0]), std::string(4096, 'x'));
  // The fresh file takes records.
  EXPECT_TRUE(book.recordRace(raceOn(kHarbour, 3, 150.0, 48.5)).lap);
  EXPECT_EQ(book.file(), file());
  EXPECT_EQ(book.takeNotice(), "");
}

TEST_F(RecordBookTest, ALockedOrNewerFileIsMovedAsideWithoutWaiting) {
  {
    RecordBook first(file(), kNow);
    first.recordRace(raceOn(kHarbour, 3, 150.0, 48.5));
  }
  {
    // Another program holds the write lock.
    records::Connection other(file());
    other.execute("BEGIN EXCLUSIVE");
    RecordBook book(file(), kNow);
    EXPECT_NE(book.takeNotice().find("another program"), std::string::npos);
    EXPECT_FALSE(book.bestLap(kHarbour));  // a fresh file
    other.execute("ROLLBACK");
  }
  {
    records::Connection newer(file());
    newer.execute("PRAGMA user_version = 99");
  }
  RecordBook book(file(), kNow + 1);
  EXPECT_NE(book.takeNotice().find("newer version"), std::string::npos);
  const auto moved = movedAside();
  EXPECT_EQ(moved.size(), 2u);
  EXPECT_EQ(records::schemaVersion(*std::make_unique<records::Connection>(file())),
            records::kSchemaVersion);
}

TEST_F(RecordBookTest, ASymbolicLinkIsMovedItselfAndItsTargetIsLeftAlone) {
  const std::string target = dir.write("someone_elses.db", "precious");
  std::filesystem::create_directories(dir.path() / "kelvane");
  std::filesystem::create_symlink(target, file());
  RecordBook book(file(), kNow);
  EXPECT_NE(book.takeNotice(), "");
  EXPECT_EQ(testsupport::readFile(target), "precious");
  EXPECT_FALSE(std::filesystem::is_symlink(file()));
  EXPECT_TRUE(book.recordRace(raceOn(kHarbour, 3, 150.0, 48.5)).race);
}

TEST_F(RecordBookTest, WithoutAPlaceForTheFileTheRecordsLastTheSession) {
  const std::string blocker = dir.write("blocker", "a file where a folder should be");
  RecordBook book(blocker + "/records.db", kNow);
  EXPECT_NE(book.takeNotice().find("lost when the game ends"), std::string::npos);
  EXPECT_EQ(book.file(), "");
  EXPECT_TRUE(book.recordRace(raceOn(kHarbour, 3, 150.0, 48.5)).lap);
  EXPECT_DOUBLE_EQ(book.bestLap(kHarbour)->seconds, 48.5);
}

TEST_F(RecordBookTest, AVersionOneFileKeepsItsRecordsAndGainsRaceRecords) {
  std::filesystem::create_directories(dir.path() / "kelvane");
  {
    records::Connection old(file());
    records::migrateTo(old, 1);
    old.execute(
        "INSERT INTO lap_records VALUES ('harbour_loop.rst', '00112233aabbccdd', 48.5, 'Zoë',"
        " 'easy', 1700000000);"
        "INSERT INTO races (track, path_hash, laps, cars, place, seconds, date) VALUES"
        " ('harbour_loop.rst', '00112233aabbccdd', 3, 4, 2, 160.0, 1700000000),"
        " ('harbour_loop.rst', '00112233aabbccdd', 3, 4, 1, 155.5, 1700000100),"
        " ('harbour_loop.rst', '00112233aabbccdd', 2, 2, 1, 101.0, 1700000200);");
    EXPECT_EQ(records::schemaVersion(old), 1);
  }
  RecordBook book(file(), kNow);
  EXPECT_EQ(book.takeNotice(), "");
  EXPECT_DOUBLE_EQ(book.bestLap(kHarbour)->seconds, 48.5);
  EXPECT_DOUBLE_EQ(book.bestRace(kHarbour, 3)->seconds, 155.5);
  EXPECT_EQ(book.bestRace(kHarbour, 3)->date, 1700000100);
  EXPECT_DOUBLE_EQ(book.bestRace(kHarbour, 2)->seconds, 101.0);
  EXPECT_EQ(book.lastRaces(kHarbour, 5).size(), 3u);
  EXPECT_TRUE(movedAside().empty());
}

}  // namespace
