#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace records {

// A track as the records know it: its file name and a fingerprint of its road, so an edited
// track (same name, other road) starts with no records.
struct TrackKey {
  std::string file;      // e.g. "harbour_loop.rst"
  std::string pathHash;  // 16 hexadecimal digits
  bool operator==(const TrackKey&) const = default;
};

// A best time: who drove it, against which level of computer drivers, and when.
struct Record {
  double seconds = 0;
  std::string driver;      // the player's name (UTF-8)
  std::string difficulty;  // "easy", "medium" or "hard"
  std::int64_t date = 0;   // seconds since the epoch
};

// A race the player finished.
struct RaceResult {
  TrackKey track;
  int laps = 0;
  int cars = 0;
  int place = 0;        // 1 for a win
  double seconds = 0;   // the player's total time
  double bestLap = -1;  // the player's best lap in it, seconds; negative for none
  std::string driver;
  std::string difficulty;
  std::int64_t date = 0;
};

// What a finished race changed.
struct NewRecords {
  bool lap = false;
  bool race = false;
};

// Everything kept for one track, for printing.
struct TrackRecords {
  TrackKey track;
  std::optional<Record> lap;
  std::vector<std::pair<int, Record>> races;  // by lap count, fewest laps first
};

}  // namespace records
