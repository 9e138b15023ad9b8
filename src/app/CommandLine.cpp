#include "app/CommandLine.h"

#include <charconv>
#include <limits>

#include "drivers/DriverLevel.h"

namespace app {

namespace {

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

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool carsGiven = false;
  bool lapsGiven = false;
  const std::size_t count = args.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < count;
    auto value = [&]() -> const std::string& { return args[++i]; };

    if (arg == "--version") {
      if (line.action == CommandLine::Action::Play) line.action = CommandLine::Action::Version;
    } else if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::Help;
    } else if (arg == "--headless") {
      line.headless = true;
    } else if (arg == "--frames" || arg == "--seed" || arg == "--cars" || arg == "--laps") {
      if (!hasValue) return fail(arg + " needs a number");
      const std::string& text = value();
      if (arg == "--frames") {
        auto n = parseNumber<long>(text, 1, std::numeric_limits<long>::max());
        if (!n) return fail("--frames needs a whole number of at least 1, not \"" + text + "\"");
        line.frames = *n;
      } else if (arg == "--seed") {
        auto n = parseNumber<std::uint32_t>(text, 0, std::numeric_limits<std::uint32_t>::max());
        if (!n)
          return fail("--seed needs a whole number from 0 to 4294967295, not \"" + text + "\"");
        line.seed = *n;
      } else {
        auto n = parseNumber<int>(text, 1, 1000);
        if (!n) return fail(arg + " needs a whole number of at least 1, not \"" + text + "\"");
        (arg == "--cars" ? line.cars : line.laps) = *n;
        (arg == "--cars" ? carsGiven : lapsGiven) = true;
      }
    } else if (arg == "--difficulty") {
      const std::string level = hasValue ? value() : std::string();
      if (!parseLevel(level)) {
        return fail("--difficulty needs easy, medium or hard, not \"" + level + "\"");
      }
      line.level = level;
    } else if (arg == "--screenshot" || arg == "--data") {
      if (!hasValue || args[i + 1].empty()) return fail(arg + " needs a file or folder name");
      (arg == "--screenshot" ? line.screenshot : line.dataDir) = value();
    } else if (arg == "--race") {
      if (!hasValue) return fail("--race needs a track file");
      line.action = CommandLine::Action::Race;
      line.track = value();
    } else if (arg == "--generate-background") {
      if (!hasValue) return fail("--generate-background needs a track file");
      line.action = CommandLine::Action::GenerateBackground;
      line.track = value();
      // The optional output is the next argument unless it is another option.
      if (i + 1 < count && args[i + 1].rfind("--", 0) != 0) line.output = value();
    } else {
      return fail("unknown option \"" + arg + "\"");
    }
  }
  const bool levelGiven = !line.level.empty();
  if ((carsGiven || lapsGiven || levelGiven) && line.action != CommandLine::Action::Race &&
      line.action != CommandLine::Action::Help) {
    const char* option = carsGiven ? "--cars" : (lapsGiven ? "--laps" : "--difficulty");
    return fail(std::string(option) + " only goes with --race");
  }
  return line;
}

std::string usageText() {
  return "Usage: kelvane [OPTION]...\n"
         "A top-down 2D car racing game.\n"
         "\n"
         "  -h, --help                 show this text and stop\n"
         "      --version              print the version and stop\n"
         "      --headless             run without a display (offscreen video, no sound)\n"
         "      --frames N             quit after N frames (N >= 1)\n"
         "      --screenshot FILE      save the last frame as a PNG picture\n"
         "      --data DIR             read options, tracks and pictures from DIR\n"
         "      --seed N               use one fixed random sequence (0 to 4294967295)\n"
         "      --race TRACK           race a track without the menus and print the results\n"
         "      --cars N               with --race: the number of cars (1 to the start grid)\n"
         "      --laps L               with --race: the number of laps\n"
         "      --difficulty LEVEL     with --race: how hard the computer drivers race, easy,\n"
         "                             medium or hard (default: the level chosen in the game)\n"
         "      --generate-background TRACK [OUT]\n"
         "                             paint a track's background picture (OUT: a PNG file)\n"
         "\n"
         "In the window, F11 switches full screen and F12 saves a screenshot to\n"
         "$XDG_PICTURES_DIR/kelvane/. When the game's folder cannot be written (an installed\n"
         "game), the settings are kept in $XDG_CONFIG_HOME/kelvane/options.ini and generated\n"
         "backgrounds and a player's own tracks in $XDG_DATA_HOME/kelvane/tracks/.\n"
         "\n"
         "Exit status: 0 on success, 1 when a race or a background could not be made,\n"
         "2 when the command line is wrong.\n";
}

}  // namespace app
