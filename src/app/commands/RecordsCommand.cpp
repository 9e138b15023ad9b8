#include "app/commands/RecordsCommand.h"

#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>

#include "app/CommandLine.h"
#include "app/commands/TrackArgument.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "race/TimeFormat.h"
#include "records/RecordBook.h"
#include "track/TrackLoader.h"

namespace app {
namespace {

constexpr int kRecentRaces = 5;

std::string dateText(std::int64_t date) {
  return platform::localTimeText(date, "%Y-%m-%d %H:%M");
}

std::string timeText(double seconds) {
  return platform::narrow(race::formatTime(static_cast<float>(seconds)));
}

// One record: track file, kind, laps, time, driver, level, date, and for a finished race its
// place ("2/4").
void printLine(std::ostream& out, const std::string& track, const char* kind,
               const std::string& laps, const records::Record& record,
               const std::string& place = "") {
  out << track << '\t' << kind << '\t' << laps << '\t' << timeText(record.seconds) << '\t'
      << record.driver << '\t' << record.difficulty << '\t' << dateText(record.date);
  if (!place.empty()) out << '\t' << place;
  out << '\n';
}

void printTrack(std::ostream& out, const records::TrackRecords& track) {
  if (track.lap) printLine(out, track.track.file, "lap", "-", *track.lap);
  for (const auto& [laps, record] : track.races) {
    printLine(out, track.track.file, "race", std::to_string(laps), record);
  }
}

}  // namespace

int printRecords(const records::RecordBook& book, const std::string& trackPath, std::ostream& out,
                 std::ostream& errors) {
  if (trackPath.empty()) {
    const auto all = book.allRecords();
    if (all.empty()) out << "No records yet.\n";
    for (const records::TrackRecords& track : all) printTrack(out, track);
    return 0;
  }
  std::string reason;
  const auto track = track::readLevelInfo(trackPath, &reason);
  if (!track) {
    errors << "Cannot read the track \"" << trackPath << "\": " << reason << '\n';
    return kFailureStatus;
  }
  const records::TrackKey key{std::filesystem::path(trackPath).filename().string(),
                              track->pathFingerprint};
  records::TrackRecords records{key, book.bestLap(key), {}};
  for (const auto& entry : book.allRecords()) {
    if (entry.track == key) records.races = entry.races;
  }
  const auto finished = book.lastRaces(key, kRecentRaces);
  if (!records.lap && finished.empty()) out << "No records yet for " << key.file << ".\n";
  printTrack(out, records);
  for (const records::RaceResult& race : finished) {
    const records::Record record{race.seconds, race.driver, race.difficulty, race.date};
    printLine(out, key.file, "finished", std::to_string(race.laps), record,
              std::to_string(race.place) + "/" + std::to_string(race.cars));
  }
  return 0;
}

int recordsCommand(const std::string& track) {
  records::RecordBook book(platform::userFolders().recordsFile(),
                           static_cast<std::int64_t>(std::time(nullptr)));
  const std::string notice = book.takeNotice();
  if (!notice.empty()) std::cerr << notice << '\n';
  if (track.empty()) return printRecords(book, "", std::cout, std::cerr);
  std::string problem;
  const std::optional<std::string> resolved = resolveTrackArgument(track, &problem);
  if (!resolved) {
    std::cerr << "Cannot print the records: " << problem << '\n';
    return kFailureStatus;
  }
  return printRecords(book, *resolved, std::cout, std::cerr);
}

}  // namespace app
