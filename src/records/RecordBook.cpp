#include "records/RecordBook.h"

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <utility>

#include "records/MoveAside.h"
#include "records/Schema.h"
#include "records/Sqlite.h"

namespace records {
namespace {

constexpr const char* kInMemory = ":memory:";

// Why a file cannot be used, and the word its moved-aside name carries.
struct Unusable {
  std::string reason;  // "locked", "damaged", "newer"
  std::string detail;  // for the player
};

Unusable unusableFrom(const SqliteError& error) {
  if (error.busy()) return {"locked", "another program is using it"};
  return {"damaged", error.what()};
}

bool present(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// Throws Unusable when the file is damaged or from a newer game; brings an older one up to
// date.
void prepare(Connection& db) {
  Statement check(db, "PRAGMA quick_check");
  if (!check.step() || check.text(0) != "ok") throw Unusable{"damaged", "it is damaged"};
  if (schemaVersion(db) > kSchemaVersion) {
    throw Unusable{"newer", "it was written by a newer version of the game"};
  }
  migrate(db);
}

Record recordFrom(const Statement& row, int first) {
  return Record{row.real(first), row.text(first + 1), row.text(first + 2), row.integer(first + 3)};
}

std::optional<Record> readRecord(Statement& query) {
  if (!query.step()) return std::nullopt;
  return recordFrom(query, 0);
}

void bindRecord(Statement& statement, int first, const Record& record) {
  statement.bind(first, record.seconds)
      .bind(first + 1, record.driver)
      .bind(first + 2, record.difficulty)
      .bind(first + 3, record.date);
}

// The track's lap record becomes `lap` when that is faster (or there is none).
bool improveLap(Connection& db, const TrackKey& track, const Record& lap) {
  Statement current(db, "SELECT seconds FROM lap_records WHERE track = ?1 AND path_hash = ?2");
  current.bind(1, track.file).bind(2, track.pathHash);
  if (current.step() && current.real(0) <= lap.seconds) return false;
  Statement replace(db,
                    "INSERT OR REPLACE INTO lap_records"
                    " (track, path_hash, seconds, driver, difficulty, date)"
                    " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
  replace.bind(1, track.file).bind(2, track.pathHash);
  bindRecord(replace, 3, lap);
  replace.run();
  return true;
}

// The same for the race record over `laps` laps.
bool improveRace(Connection& db, const TrackKey& track, int laps, const Record& race) {
  Statement current(db,
                    "SELECT seconds FROM race_records"
                    " WHERE track = ?1 AND path_hash = ?2 AND laps = ?3");
  current.bind(1, track.file).bind(2, track.pathHash).bind(3, laps);
  if (current.step() && current.real(0) <= race.seconds) return false;
  Statement replace(db,
                    "INSERT OR REPLACE INTO race_records"
                    " (track, path_hash, laps, seconds, driver, difficulty, date)"
                    " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  replace.bind(1, track.file).bind(2, track.pathHash).bind(3, laps);
  bindRecord(replace, 4, race);
  replace.run();
  return true;
}

}  // namespace

RecordBook::RecordBook(const std::string& path, std::int64_t now) : path_(path) {
  open(now);
}

RecordBook::~RecordBook() = default;

void RecordBook::open(std::int64_t now) {
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  try {
    db_ = std::make_unique<Connection>(path_);
    prepare(*db_);
    return;
  } catch (const SqliteError& error) {
    db_.reset();
    const Unusable unusable = unusableFrom(error);
    startAfresh(unusable.reason, unusable.detail, now);
  } catch (const Unusable& unusable) {
    db_.reset();
    startAfresh(unusable.reason, unusable.detail, now);
  }
}

void RecordBook::startAfresh(const std::string& reason, const std::string& detail,
                             std::int64_t now) {
  db_.reset();
  std::string moveError;
  std::optional<std::string> movedTo;
  if (present(path_)) movedTo = moveAside(path_, reason, now, &moveError);
  if (movedTo) {
    try {
      db_ = std::make_unique<Connection>(path_);
      migrate(*db_);
      notice_ = "The records file " + path_ + " could not be used: " + detail +
                ".\nIt was moved to " + *movedTo + " and a new one was started.";
      return;
    } catch (const SqliteError& error) {
      db_.reset();
      moveError = error.what();
    }
  } else if (moveError.empty()) {
    moveError = detail;
  }
  // Nowhere to keep a file: this run's records live in memory and go with the game.
  db_ = std::make_unique<Connection>(kInMemory);
  migrate(*db_);
  notice_ = "The records cannot be kept in " + path_ + ": " + moveError +
            ".\nThis session's records are lost when the game ends.";
}

template <typename Write>
bool RecordBook::write(Write write, std::int64_t now) {
  try {
    write(*db_);
    return true;
  } catch (const SqliteError& error) {
    if (db_->path() == kInMemory) return false;
    // The file failed under us (locked, damaged, gone): a fresh file takes this write.
    const Unusable unusable = unusableFrom(error);
    try {
      startAfresh(unusable.reason, unusable.detail, now);
      write(*db_);
      return true;
    } catch (const SqliteError&) {
      return false;
    }
  }
}

std::optional<Record> RecordBook::bestLap(const TrackKey& track) const {
  try {
    Statement query(*db_,
                    "SELECT seconds, driver, difficulty, date FROM lap_records"
                    " WHERE track = ?1 AND path_hash = ?2");
    query.bind(1, track.file).bind(2, track.pathHash);
    return readRecord(query);
  } catch (const SqliteError&) {
    return std::nullopt;  // a busy or failing file shows no record rather than stopping
  }
}

std::optional<Record> RecordBook::bestRace(const TrackKey& track, int laps) const {
  try {
    Statement query(*db_,
                    "SELECT seconds, driver, difficulty, date FROM race_records"
                    " WHERE track = ?1 AND path_hash = ?2 AND laps = ?3");
    query.bind(1, track.file).bind(2, track.pathHash).bind(3, laps);
    return readRecord(query);
  } catch (const SqliteError&) {
    return std::nullopt;
  }
}

std::vector<RaceResult> RecordBook::lastRaces(const TrackKey& track, int count) const {
  std::vector<RaceResult> races;
  try {
    Statement query(*db_,
                    "SELECT laps, cars, place, seconds, driver, difficulty, date FROM races"
                    " WHERE track = ?1 AND path_hash = ?2 ORDER BY date DESC, id DESC LIMIT ?3");
    query.bind(1, track.file).bind(2, track.pathHash).bind(3, count);
    while (query.step()) {
      RaceResult race;
      race.track = track;
      race.laps = static_cast<int>(query.integer(0));
      race.cars = static_cast<int>(query.integer(1));
      race.place = static_cast<int>(query.integer(2));
      race.seconds = query.real(3);
      race.driver = query.text(4);
      race.difficulty = query.text(5);
      race.date = query.integer(6);
      races.push_back(race);
    }
  } catch (const SqliteError&) {
  }
  return races;
}

std::vector<TrackRecords> RecordBook::allRecords() const {
  std::map<std::pair<std::string, std::string>, TrackRecords> tracks;
  auto entryFor = [&](const Statement& row) -> TrackRecords& {
    TrackRecords& entry = tracks[{row.text(0), row.text(1)}];
    entry.track = TrackKey{row.text(0), row.text(1)};
    return entry;
  };
  try {
    Statement laps(*db_,
                   "SELECT track, path_hash, seconds, driver, difficulty, date FROM lap_records");
    while (laps.step()) entryFor(laps).lap = recordFrom(laps, 2);
    Statement races(*db_,
                    "SELECT track, path_hash, laps, seconds, driver, difficulty, date"
                    " FROM race_records ORDER BY laps");
    while (races.step()) {
      entryFor(races).races.emplace_back(static_cast<int>(races.integer(2)), recordFrom(races, 3));
    }
  } catch (const SqliteError&) {
  }
  std::vector<TrackRecords> result;
  for (auto& [key, entry] : tracks) result.push_back(std::move(entry));
  return result;
}

bool RecordBook::offerLap(const TrackKey& track, const Record& lap) {
  bool improved = false;
  write(
      [&](Connection& db) {
        Transaction transaction(db);
        improved = improveLap(db, track, lap);
        transaction.commit();
      },
      lap.date);
  return improved;
}

NewRecords RecordBook::recordRace(const RaceResult& race) {
  NewRecords records;
  write(
      [&](Connection& db) {
        Transaction transaction(db);
        Statement insert(db,
                         "INSERT INTO races (track, path_hash, laps, cars, place, seconds, date,"
                         " driver, difficulty) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
        insert.bind(1, race.track.file)
            .bind(2, race.track.pathHash)
            .bind(3, race.laps)
            .bind(4, race.cars)
            .bind(5, race.place)
            .bind(6, race.seconds)
            .bind(7, race.date)
            .bind(8, race.driver)
            .bind(9, race.difficulty);
        insert.run();
        const Record total{race.seconds, race.driver, race.difficulty, race.date};
        records.race = improveRace(db, race.track, race.laps, total);
        if (race.bestLap >= 0) {
          const Record lap{race.bestLap, race.driver, race.difficulty, race.date};
          records.lap = improveLap(db, race.track, lap);
        }
        transaction.commit();
      },
      race.date);
  return records;
}

std::string RecordBook::takeNotice() {
  return std::exchange(notice_, std::string());
}

std::string RecordBook::file() const {
  return db_->path() == kInMemory ? std::string() : db_->path();
}

}  // namespace records
