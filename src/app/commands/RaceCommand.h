#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace app {

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

// Runs the race and prints the result table. Exit status (CommandLine.h): 0 when every car
// finished; kFailureStatus when the track cannot be read or the race cannot be started (with a
// message on standard error); kUnfinishedStatus when the simulated time ran out first (the cars
// that did not finish are named); kInterruptedStatus when the race's window was closed first
// ("interrupted" is printed instead of the table).
int runRaceCommand(const RaceCommand& command);

}  // namespace app
