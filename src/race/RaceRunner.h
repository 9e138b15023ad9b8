#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "race/LapTable.h"

namespace race {

class RaceData;

// `kelvane --race TRACK.rst --cars N --laps L [--difficulty LEVEL] [--seed S] [--headless]`: a
// race of computer drivers only, run through the game's own race code. TRACK is a path to a
// track file or a file name in the tracks folder.
struct RaceCommand {
  std::string track;
  int cars = 4;
  int laps = 3;
  // "easy", "medium" or "hard"; empty: the level the player chose last in the game.
  std::string level;
  std::optional<std::uint32_t> seed;
  // No window: frames run as fast as they can, without drawing.
  bool headless = false;
  // Simulated seconds after which a headless race is given up.
  double timeLimitSeconds = 15 * 60;
};

// Runs the race and prints the result table. Exit status: 0 when every car finished; 1 when the
// track cannot be loaded or the race cannot be started (with a message on standard error); 2
// when the simulated time ran out first (the cars that did not finish are named).
int runRaceCommand(const RaceCommand& command);

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

// The track file for TRACK: the path itself when it names a file, otherwise the file of that
// name in the player's tracks folder or, failing that, the shipped one (platform::UserFolders).
std::string resolveTrackPath(const std::string& track);

}  // namespace race
