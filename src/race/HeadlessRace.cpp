#include "race/HeadlessRace.h"

#include <sstream>

#include "platform/Text.h"
#include "race/RaceData.h"

namespace race {

RaceOutcome runHeadless(RaceData& race, long maxFrames) {
  RaceOutcome outcome;
  while (race.isActive() && !race.allFinished() && outcome.frames < maxFrames) {
    race.updateRace();
    ++outcome.frames;
  }
  outcome.allFinished = race.allFinished();
  const int fps = race.framesPerSecond();
  outcome.simulatedSeconds = static_cast<double>(outcome.frames) / fps;
  outcome.table = race.currentResults();
  if (const LapTable* laps = race.laps()) {
    for (int c = 0; c < race.carCount(); ++c)
      if (!laps->finished(c)) outcome.unfinished.push_back(race.raceCar(c).name);
    for (int c : laps->order()) {
      if (!laps->finished(c)) continue;
      if (outcome.winnerTime < 0) outcome.winnerTime = laps->totalTime(c);
      outcome.slowestTime = laps->totalTime(c);
    }
  }
  return outcome;
}

std::string formatResultTable(const std::vector<ResultCells>& table) {
  const int widths[5] = {5, 16, 12, 14, 12};
  const ResultCells heading{L"Pos.", L"Driver", L"Total time", L"Difference", L"Best lap"};
  std::ostringstream out;
  auto line = [&](const ResultCells& cells) {
    std::string text;
    for (int c = 0; c < 5; ++c) {
      std::string cell = platform::narrow(cells[static_cast<std::size_t>(c)]);
      if (c < 4 && static_cast<int>(cell.size()) < widths[c]) cell.resize(widths[c], ' ');
      text += cell + (c < 4 ? " " : "");
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << '\n';
  };
  line(heading);
  for (const ResultCells& cells : table) line(cells);
  return out.str();
}

}  // namespace race
