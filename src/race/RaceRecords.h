#pragma once
#include <optional>
#include <string>

#include "records/Records.h"

namespace records {
class RecordBook;
}

namespace race {

class LapTable;

// The player's records in one race: the lap record to beat (shown by the HUD), and what the
// player's race gives the record book. Only the human driver's laps count: a race of computer
// drivers records nothing.
class RaceRecords {
 public:
  // book: where the records are kept; null keeps none (headless runs, tests).
  explicit RaceRecords(records::RecordBook* book) : book_(book) {}

  // Who the player is in a new race.
  struct Player {
    int car = -1;            // the human's car index; -1 when only computers drive
    std::string name;        // UTF-8
    std::string difficulty;  // the computer drivers' level, "easy" .. "hard"
  };
  void start(const records::TrackKey& track, int lapCount, int carCount, const Player& player);
  // After each frame's lap counting: the frame the player finishes, their race is recorded
  // (history, race record, lap record) at `date` (seconds since the epoch).
  void update(const LapTable& laps, std::int64_t date);
  // The race ends (finished or left): a best lap of a race left early still counts as a lap.
  void end(const LapTable* laps, std::int64_t date);

  // The track's lap record as the race began (seconds), for comparison.
  std::optional<double> recordLap() const { return recordLap_; }
  // What the finished race changed; nothing before the player finishes.
  const records::NewRecords& newRecords() const { return newRecords_; }
  bool recorded() const { return recorded_; }
  const records::TrackKey& track() const { return track_; }

 private:
  records::RecordBook* book_;
  records::TrackKey track_;
  int lapCount_ = 0;
  int carCount_ = 0;
  Player player_;
  std::optional<double> recordLap_;
  records::NewRecords newRecords_;
  bool recorded_ = false;
};

}  // namespace race
