#include "records/Schema.h"

#include <array>
#include <string>

#include "records/Sqlite.h"

namespace records {
namespace {

// Step n brings version n to version n + 1.
constexpr std::array<const char*, kSchemaVersion> kSteps = {
    // 0 → 1: a new file.
    "CREATE TABLE lap_records ("
    "  track TEXT NOT NULL, path_hash TEXT NOT NULL, seconds REAL NOT NULL,"
    "  driver TEXT NOT NULL, difficulty TEXT NOT NULL, date INTEGER NOT NULL,"
    "  PRIMARY KEY (track, path_hash));"
    "CREATE TABLE races ("
    "  id INTEGER PRIMARY KEY, track TEXT NOT NULL, path_hash TEXT NOT NULL,"
    "  laps INTEGER NOT NULL, cars INTEGER NOT NULL, place INTEGER NOT NULL,"
    "  seconds REAL NOT NULL, date INTEGER NOT NULL);"
    "CREATE INDEX races_by_track ON races (track, path_hash, date);",

    // 1 → 2: race records per lap count, taken from the races kept so far (whose driver was not
    // written down then).
    "ALTER TABLE races ADD COLUMN driver TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE races ADD COLUMN difficulty TEXT NOT NULL DEFAULT '';"
    "CREATE TABLE race_records ("
    "  track TEXT NOT NULL, path_hash TEXT NOT NULL, laps INTEGER NOT NULL,"
    "  seconds REAL NOT NULL, driver TEXT NOT NULL, difficulty TEXT NOT NULL,"
    "  date INTEGER NOT NULL, PRIMARY KEY (track, path_hash, laps));"
    "INSERT INTO race_records (track, path_hash, laps, seconds, driver, difficulty, date)"
    "  SELECT track, path_hash, laps, MIN(seconds), driver, difficulty, date FROM races"
    "  GROUP BY track, path_hash, laps;",
};

}  // namespace

int schemaVersion(Connection& db) {
  Statement query(db, "PRAGMA user_version");
  return query.step() ? static_cast<int>(query.integer(0)) : 0;
}

void migrateTo(Connection& db, int version) {
  for (;;) {
    // The version is read inside the step's transaction: another game started at the same
    // time may have taken the step already.
    Transaction step(db);
    const int from = schemaVersion(db);
    if (from >= version || from < 0) return;
    db.execute(kSteps[static_cast<std::size_t>(from)]);
    db.execute("PRAGMA user_version = " + std::to_string(from + 1));
    step.commit();
  }
}

void migrate(Connection& db) {
  migrateTo(db, kSchemaVersion);
}

}  // namespace records
