#pragma once

namespace records {

class Connection;

// The layout of the records file, versioned through SQLite's user_version. Version 1 kept the
// best lap per track and the player's finished races; version 2 adds the best race time per
// lap count (filled from the races already kept) and the driver and level of each race.
constexpr int kSchemaVersion = 2;

// The version a database file has; 0 for a new, empty one.
int schemaVersion(Connection& db);

// Brings a database of version `from`..kSchemaVersion up to date, one step per version, each
// step in its own transaction. Throws SqliteError when a step fails (the step is undone).
void migrate(Connection& db);
// Only the steps up to `version` (tests build a version-1 file with it).
void migrateTo(Connection& db, int version);

}  // namespace records
