#include "app/CommandLine.h"

#include <charconv>
#include <limits>

#include "app/MenuRules.h"
#include "drivers/DriverLevel.h"
#include "race/LapTable.h"

namespace app {

namespace {

// The column where --help starts the options' help lines.
constexpr std::size_t kHelpColumn = 29;

// A whole decimal number in [minimum, maximum], nothing before or after it.
template <class Number>
std::optional<Number> parseNumber(const std::string& text, Number minimum, Number maximum) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  if (value < static_cast<long long>(minimum) || value > static_cast<long long>(maximum)) {
    return std::nullopt;
  }
  return static_cast<Number>(value);
}

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

std::string readHeadless(const std::string&, Arguments&, CommandLine& line) {
  line.headless = true;
  return {};
}

// A number option's value in [minimum, maximum]; `range` says which in the message.
template <class Number>
std::string readNumber(const std::string& option, Arguments& args, Number minimum, Number maximum,
                       const char* range, Number& value) {
  if (args.done()) return option + " needs a number";
  const std::string& text = args.take();
  const auto n = parseNumber<Number>(text, minimum, maximum);
  if (!n) return option + " needs a whole number " + range + ", not \"" + text + "\"";
  value = *n;
  return {};
}

std::string readFrames(const std::string& option, Arguments& args, CommandLine& line) {
  return readNumber<long>(option, args, 1, std::numeric_limits<long>::max(), "of at least 1",
                          line.frames);
}

std::string readSeed(const std::string& option, Arguments& args, CommandLine& line) {
  std::uint32_t seed = 0;
  std::string error = readNumber<std::uint32_t>(
      option, args, 0, std::numeric_limits<std::uint32_t>::max(), "from 0 to 4294967295", seed);
  if (error.empty()) line.seed = seed;
  return error;
}

// A race takes at most this many cars; the track's start grid may allow fewer.
constexpr int kMaxCars = 1000;

std::string readCars(const std::string& option, Arguments& args, CommandLine& line) {
  static const std::string range = "from 1 to " + std::to_string(kMaxCars);
  return readNumber(option, args, 1, kMaxCars, range.c_str(), line.cars);
}

// The same laps the race setup in the menu allows.
std::string readLaps(const std::string& option, Arguments& args, CommandLine& line) {
  static const std::string range =
      "from " + std::to_string(race::kMinLaps) + " to " + std::to_string(race::kMaxLaps);
  return readNumber(option, args, race::kMinLaps, race::kMaxLaps, range.c_str(), line.laps);
}

std::string readDifficulty(const std::string& option, Arguments& args, CommandLine& line) {
  const std::string level = args.done() ? std::string() : args.take();
  if (!drivers::parseLevel(level))
    return option + " needs easy, medium or hard, not \"" + level + "\"";
  line.level = level;
  return {};
}

// --screenshot and --data: a name that is not empty.
std::string readName(const std::string& option, Arguments& args, std::string& name) {
  if (args.done() || args.next().empty()) return option + " needs a file or folder name";
  name = args.take();
  return {};
}

std::string readScreenshot(const std::string& option, Arguments& args, CommandLine& line) {
  return readName(option, args, line.screenshot);
}

std::string readData(const std::string& option, Arguments& args, CommandLine& line) {
  return readName(option, args, line.dataDir);
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

const CommandLineOption* findOption(const std::string& word) {
  for (const CommandLineOption& option : commandLineOptions()) {
    if (word == option.name || (option.shortName != nullptr && word == option.shortName)) {
      return &option;
    }
  }
  return nullptr;
}

// "  -h, --help", "      --frames N": the left column of an option's line in --help.
std::string usageTerm(const CommandLineOption& option) {
  std::string term = option.shortName != nullptr ? std::string("  ") + option.shortName + ", "
                                                 : std::string(6, ' ');
  term += option.name;
  if (*option.argument != '\0') term += std::string(" ") + option.argument;
  return term;
}

}  // namespace

const std::vector<CommandLineOption>& commandLineOptions() {
  static const std::vector<CommandLineOption> options = {
      {"-h", "--help", "", "show this text and stop", readHelp},
      {nullptr, "--version", "", "print the version and stop", readVersion},
      {nullptr, "--headless", "", "run without a display (offscreen video, no sound)",
       readHeadless},
      {nullptr, "--frames", "N", "quit after N frames (N >= 1)", readFrames},
      {nullptr, "--screenshot", "FILE", "save the last frame as a PNG picture", readScreenshot},
      {nullptr, "--data", "DIR", "read options, tracks and pictures from DIR", readData},
      {nullptr, "--seed", "N", "use one fixed random sequence (0 to 4294967295)", readSeed},
      {nullptr, "--race", "TRACK", "race a track without the menus and print the results",
       readRace},
      {nullptr, "--cars", "N", "with --race: the number of cars (1 to the start grid)", readCars},
      {nullptr, "--laps", "L", "with --race: the number of laps (1 to 99)", readLaps},
      {nullptr, "--difficulty", "LEVEL", "with --race: easy, medium or hard opponents",
       readDifficulty},
      {nullptr, "--generate-background", "TRACK [OUT]",
       "paint a track's background picture (OUT: a PNG file)", readGenerate},
  };
  return options;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  Arguments words(args);
  while (!words.done()) {
    const std::string& word = words.take();
    const CommandLineOption* option = findOption(word);
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
  for (const CommandLineOption& option : commandLineOptions()) {
    std::string term = usageTerm(option);
    // A long term gets its help on a line of its own.
    term += term.size() < kHelpColumn ? std::string(kHelpColumn - term.size(), ' ')
                                      : "\n" + std::string(kHelpColumn, ' ');
    text += term + option.help + "\n";
  }
  return text +
         "\n"
         "In the window, F11 switches full screen and F12 saves a screenshot to\n"
         "$XDG_PICTURES_DIR/kelvane/. When the game's folder cannot be written (an installed\n"
         "game), the settings are kept in $XDG_CONFIG_HOME/kelvane/options.ini and generated\n"
         "backgrounds and a player's own tracks in $XDG_DATA_HOME/kelvane/tracks/.\n"
         "\n"
         "Exit status: 0 on success; 1 when a file cannot be read or saved (a track, a\n"
         "picture, the settings) or a race cannot start; 2 when the command line is wrong;\n"
         "3 when a --race runs out of time before every car finished; 4 when the window of\n"
         "a --race is closed before every car finished.\n";
}

}  // namespace app
