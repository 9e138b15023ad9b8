#include "app/CommandLine.h"

#include <limits>

#include "app/MenuRules.h"
#include "app/WindowOptions.h"
#include "drivers/DriverLevel.h"
#include "race/LapTable.h"

namespace app {

namespace {

CommandLine fail(std::string message) {
  CommandLine result;
  result.action = CommandLine::Action::Error;
  result.error = std::move(message);
  return result;
}

std::string readHelp(const std::string&, Arguments&, CommandLine& line) {
  line.action = CommandLine::Action::Help;
  return {};
}

std::string readVersion(const std::string&, Arguments&, CommandLine& line) {
  if (line.action == CommandLine::Action::Play) line.action = CommandLine::Action::Version;
  return {};
}

std::string readSeed(const std::string& option, Arguments& args, CommandLine& line) {
  std::uint32_t seed = 0;
  std::string error = readWholeNumber<std::uint32_t>(
      option, args, 0, std::numeric_limits<std::uint32_t>::max(), "from 0 to 4294967295", seed);
  if (error.empty()) line.seed = seed;
  return error;
}

// A race takes at most this many cars; the track's start grid may allow fewer.
constexpr int kMaxCars = 1000;

std::string readCars(const std::string& option, Arguments& args, CommandLine& line) {
  static const std::string range = "from 1 to " + std::to_string(kMaxCars);
  return readWholeNumber(option, args, 1, kMaxCars, range.c_str(), line.cars);
}

// The same laps the race setup in the menu allows.
std::string readLaps(const std::string& option, Arguments& args, CommandLine& line) {
  static const std::string range =
      "from " + std::to_string(race::kMinLaps) + " to " + std::to_string(race::kMaxLaps);
  return readWholeNumber(option, args, race::kMinLaps, race::kMaxLaps, range.c_str(), line.laps);
}

std::string readDifficulty(const std::string& option, Arguments& args, CommandLine& line) {
  const std::string level = args.done() ? std::string() : args.take();
  if (!drivers::parseLevel(level))
    return option + " needs easy, medium or hard, not \"" + level + "\"";
  line.level = level;
  return {};
}

// --race and --generate-background each do a whole job; two of them would leave one undone.
bool hasAction(const CommandLine& line) {
  return line.action == CommandLine::Action::Race ||
         line.action == CommandLine::Action::GenerateBackground;
}
constexpr const char* kOneAction =
    "--race and --generate-background can only be given once, "
    "and not together";

std::string readRace(const std::string&, Arguments& args, CommandLine& line) {
  if (hasAction(line)) return kOneAction;
  if (args.done() || args.next().empty()) return "--race needs a track file";
  line.action = CommandLine::Action::Race;
  line.track = args.take();
  return {};
}

std::string readGenerate(const std::string&, Arguments& args, CommandLine& line) {
  if (hasAction(line)) return kOneAction;
  if (args.done() || args.next().empty()) return "--generate-background needs a track file";
  line.action = CommandLine::Action::GenerateBackground;
  line.track = args.take();
  // The optional output is the next argument unless it is another option.
  if (!args.done() && args.next().rfind("--", 0) != 0) {
    // An empty name would fall back to the track's own picture and overwrite it unasked.
    if (args.next().empty()) return "--generate-background needs a file name for OUT, not \"\"";
    line.output = args.take();
  }
  return {};
}

std::string readRecords(const std::string&, Arguments& args, CommandLine& line) {
  line.action = CommandLine::Action::Records;
  // The optional track is the next argument unless it is another option.
  if (!args.done() && args.next().rfind("--", 0) != 0) line.track = args.take();
  return {};
}

}  // namespace

const std::vector<CommandLineOption>& commandLineOptions() {
  static const std::vector<CommandLineOption> options = [] {
    std::vector<CommandLineOption> table = {
        {"-h", "--help", "", "show this text and stop", readHelp},
        {nullptr, "--version", "", "print the version and stop", readVersion},
    };
    const std::vector<CommandLineOption> window =
        windowOptionEntries<CommandLine>("read options, tracks and pictures from DIR");
    table.insert(table.end(), window.begin(), window.end());
    table.insert(
        table.end(),
        {
            {nullptr, "--seed", "N", "use one fixed random sequence (0 to 4294967295)", readSeed},
            {nullptr, "--race", "TRACK", "race a track without the menus and print the results",
             readRace},
            {nullptr, "--cars", "N", "with --race: the number of cars (1 to the start grid)",
             readCars},
            {nullptr, "--laps", "L", "with --race: the number of laps (1 to 99)", readLaps},
            {nullptr, "--difficulty", "LEVEL", "with --race: easy, medium or hard opponents",
             readDifficulty},
            {nullptr, "--generate-background", "TRACK [OUT]",
             "paint a track's background picture (OUT: a PNG file)", readGenerate},
            {nullptr, "--records", "[TRACK]", "print the lap and race records (of one track)",
             readRecords},
        });
    return table;
  }();
  return options;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  Arguments words(args);
  while (!words.done()) {
    const std::string& word = words.take();
    const CommandLineOption* option = findOptionIn(commandLineOptions(), word);
    if (option == nullptr) return fail("unknown option \"" + word + "\"");
    std::string error = option->read(word, words, line);
    if (!error.empty()) return fail(std::move(error));
  }
  const bool carsGiven = line.cars != -1, lapsGiven = line.laps != -1;
  const bool levelGiven = !line.level.empty();
  if ((carsGiven || lapsGiven || levelGiven) && line.action != CommandLine::Action::Race &&
      line.action != CommandLine::Action::Help) {
    const char* option = carsGiven ? "--cars" : (lapsGiven ? "--laps" : "--difficulty");
    return fail(std::string(option) + " only goes with --race");
  }
  return line;
}

std::string usageText() {
  std::string text =
      "Usage: kelvane [OPTION]...\n"
      "A top-down 2D car racing game.\n"
      "\n";
  text += optionHelpLines(commandLineOptions());
  return text +
         "\n"
         "In the window, F11 switches full screen and F12 saves a screenshot to\n"
         "$XDG_PICTURES_DIR/kelvane/. When the game's folder cannot be written (an installed\n"
         "game), the settings are kept in $XDG_CONFIG_HOME/kelvane/options.ini and generated\n"
         "backgrounds and a player's own tracks in $XDG_DATA_HOME/kelvane/tracks/, the\n"
         "records in $XDG_DATA_HOME/kelvane/records.db.\n"
         "\n"
         "Exit status: 0 on success; 1 when a file cannot be read or saved (a track, a\n"
         "picture, the settings) or a race cannot start; 2 when the command line is wrong;\n"
         "3 when a --race runs out of time before every car finished; 4 when the window of\n"
         "a --race is closed before every car finished.\n";
}

}  // namespace app
