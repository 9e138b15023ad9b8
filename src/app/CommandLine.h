#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace app {

// What the command line asks the program to do.
struct CommandLine {
  enum class Action {
    Play,                // open the window and run the game
    Version,             // print the version and stop
    Help,                // print the usage and stop
    Race,                // race a track headless (--race TRACK)
    GenerateBackground,  // paint a track's background (--generate-background TRACK [OUT])
    Error,               // the arguments make no sense: `error` says why
  };

  Action action = Action::Play;
  bool headless = false;
  long frames = -1;        // --frames N: quit after N frames (N >= 1); -1 runs until closed
  std::string screenshot;  // --screenshot FILE: the last frame as a PNG
  std::string dataDir;     // --data DIR: the run-time tree instead of the executable's folder
  std::optional<std::uint32_t> seed;  // --seed N: one fixed random sequence
  std::string track;                  // --race / --generate-background
  std::string output;                 // --generate-background's optional OUT
  int cars = -1;                      // --cars N with --race, 1..; -1 when not given
  int laps = -1;                      // --laps L with --race, 1..; -1 when not given
  std::string level;                  // --difficulty with --race: "easy", "medium" or "hard"
  std::string error;
};

// The words after the program name, taken from the front.
class Arguments {
 public:
  explicit Arguments(const std::vector<std::string>& words) : words_(words) {}
  bool done() const { return next_ >= words_.size(); }
  // The next word; only when not done().
  const std::string& next() const { return words_[next_]; }
  const std::string& take() { return words_[next_++]; }

 private:
  const std::vector<std::string>& words_;
  std::size_t next_ = 0;
};

// One option of the command line. The table of them drives both the parser and the --help
// text, and the manual page is tested against it, so the three cannot drift apart.
struct CommandLineOption {
  const char* shortName;  // "-h", or null
  const char* name;       // "--frames"
  const char* argument;   // what follows it, as --help and the manual page name it ("N",
                          // "TRACK [OUT]"); empty for a switch
  const char* help;       // its line in --help
  // Takes the option's arguments from `args` into `line`, `option` being the word as given;
  // returns why they are wrong, or an empty text.
  std::string (*read)(const std::string& option, Arguments& args, CommandLine& line);
};

// Every option, in the order --help lists them.
const std::vector<CommandLineOption>& commandLineOptions();

// Reads the arguments after the program name. Never throws: mistakes give Action::Error.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The --help text.
std::string usageText();

// Exit statuses, one per outcome; --help and the manual page list them.
// A file could not be read or saved, or a race or a background could not be made.
inline constexpr int kFailureStatus = 1;
// The command line could not be understood.
inline constexpr int kUsageErrorStatus = 2;
// --race: the time limit ran out before every car finished.
inline constexpr int kUnfinishedStatus = 3;
// --race: the window was closed before every car finished.
inline constexpr int kInterruptedStatus = 4;

}  // namespace app
