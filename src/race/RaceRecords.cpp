#include "race/RaceRecords.h"

#include <algorithm>

#include "race/LapTable.h"
#include "records/RecordBook.h"

namespace race {

void RaceRecords::start(const records::TrackKey& track, int lapCount, int carCount,
                        const Player& player) {
  track_ = track;
  lapCount_ = lapCount;
  carCount_ = carCount;
  player_ = player;
  newRecords_ = {};
  recorded_ = false;
  recordLap_.reset();
  if (book_ == nullptr) return;
  if (const auto lap = book_->bestLap(track)) recordLap_ = lap->seconds;
}

void RaceRecords::update(const LapTable& laps, std::int64_t date) {
  if (recorded_ || book_ == nullptr || player_.car < 0 || !laps.finished(player_.car)) return;
  recorded_ = true;
  const std::vector<int>& order = laps.order();
  records::RaceResult race;
  race.track = track_;
  race.laps = lapCount_;
  race.cars = carCount_;
  race.place =
      static_cast<int>(std::find(order.begin(), order.end(), player_.car) - order.begin()) + 1;
  race.seconds = laps.totalTime(player_.car);
  race.bestLap = laps.bestLap(player_.car);
  race.driver = player_.name;
  race.difficulty = player_.difficulty;
  race.date = date;
  newRecords_ = book_->recordRace(race);
}

void RaceRecords::end(const LapTable* laps, std::int64_t date) {
  if (recorded_ || book_ == nullptr || laps == nullptr || player_.car < 0) return;
  recorded_ = true;
  const float best = laps->bestLap(player_.car);
  if (best < 0) return;
  book_->offerLap(track_, records::Record{best, player_.name, player_.difficulty, date});
}

}  // namespace race
