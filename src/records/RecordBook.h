#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/Records.h"

namespace records {

class Connection;

// The player's lap and race records and the races they finished, kept in one SQLite file.
// Only what a human driver did reaches it; the caller decides that. The game must go on
// whatever the file is like: a file that is locked by another program, unreadable, damaged
// or written by a newer game is moved aside (see notice()) and a fresh one started; where no
// file can be kept at all, the records live in memory for this run. Nothing here waits on a
// lock or throws.
class RecordBook {
 public:
  // path: the database file (e.g. "~/.local/share/kelvane/records.db"), created with its
  // folder when missing. now: seconds since the epoch, for naming a file moved aside.
  explicit RecordBook(const std::string& path, std::int64_t now);
  ~RecordBook();
  RecordBook(const RecordBook&) = delete;
  RecordBook& operator=(const RecordBook&) = delete;

  std::optional<Record> bestLap(const TrackKey& track) const;
  // The best total time over `laps` laps (1..99).
  std::optional<Record> bestRace(const TrackKey& track, int laps) const;
  // The player's latest finished races on the track, newest first.
  std::vector<RaceResult> lastRaces(const TrackKey& track, int count) const;
  // Every track with a record, by file name.
  std::vector<TrackRecords> allRecords() const;

  // A lap the player drove in a race left before the end: it becomes the lap record when it
  // is faster. True when it did.
  bool offerLap(const TrackKey& track, const Record& lap);
  // A race the player finished: kept in the history, and its total and best lap become the
  // track's records where they are faster.
  NewRecords recordRace(const RaceResult& race);

  // What the player should read about the file (moved aside, not kept); empty when all is
  // well. Taken once: the next call is empty until something new happens.
  std::string takeNotice();
  // The file the records are kept in; empty while they live in memory only.
  std::string file() const;

 private:
  void open(std::int64_t now);
  void startAfresh(const std::string& reason, const std::string& detail, std::int64_t now);
  template <typename Write>
  bool write(Write write, std::int64_t now);

  std::string path_;
  std::unique_ptr<Connection> db_;
  std::string notice_;
};

}  // namespace records
