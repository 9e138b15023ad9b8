#pragma once
#include <string>
#include <vector>

#include "race/LapTable.h"

namespace race {

class RaceData;

// How a headless race ended.
struct RaceOutcome {
  bool allFinished = false;
  long frames = 0;
  double simulatedSeconds = 0;
  std::vector<ResultCells> table;        // by position, as the result screen shows it
  std::vector<std::wstring> unfinished;  // names of the cars still racing
  float winnerTime = -1;                 // total time of the first car home, seconds
  float slowestTime = -1;                // total time of the last car home, seconds
};

// Steps a started race without drawing until every car has finished or `maxFrames` have run.
RaceOutcome runHeadless(RaceData& race, long maxFrames);

// The five columns of the result screen as text, one line per position, with a heading.
std::string formatResultTable(const std::vector<ResultCells>& table);

}  // namespace race
