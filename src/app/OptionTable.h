#pragma once
#include <optional>
#include <string>
#include <vector>

// What the programs of the game (the game itself and the track editor) share for reading their
// command lines: each has a table of options that drives both its parser and its --help text.
namespace app {

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

// One option of a command line that is read into a `Line`.
template <class Line>
struct OptionOf {
  const char* shortName;  // "-h", or null
  const char* name;       // "--frames"
  const char* argument;   // what follows it, as --help and the manual page name it ("N",
                          // "TRACK [OUT]"); empty for a switch
  const char* help;       // its line in --help
  // Takes the option's arguments from `args` into `line`, `option` being the word as given;
  // returns why they are wrong, or an empty text.
  std::string (*read)(const std::string& option, Arguments& args, Line& line);
};

// The entry of `table` named `word` (long or short name), or null.
template <class Line>
const OptionOf<Line>* findOptionIn(const std::vector<OptionOf<Line>>& table,
                                   const std::string& word) {
  for (const OptionOf<Line>& option : table) {
    if (word == option.name || (option.shortName != nullptr && word == option.shortName)) {
      return &option;
    }
  }
  return nullptr;
}

// One option's line of --help: "  -h, --help" or "      --frames N", then its help text in the
// help column (on a line of its own after a long term).
std::string optionHelpLine(const char* shortName, const char* name, const char* argument,
                           const char* help);

// The --help lines of every option of `table`, in its order.
template <class Line>
std::string optionHelpLines(const std::vector<OptionOf<Line>>& table) {
  std::string text;
  for (const OptionOf<Line>& option : table) {
    text += optionHelpLine(option.shortName, option.name, option.argument, option.help);
  }
  return text;
}

// A whole decimal number in [minimum, maximum], nothing before or after it; nothing otherwise.
std::optional<long long> parseWholeNumber(const std::string& text, long long minimum,
                                          long long maximum);

// Takes a number option's value in [minimum, maximum] from `args` into `value`; returns why it
// is wrong (`range` says which numbers it takes, "of at least 1"), or an empty text.
template <class Number>
std::string readWholeNumber(const std::string& option, Arguments& args, Number minimum,
                            Number maximum, const char* range, Number& value) {
  if (args.done()) return option + " needs a number";
  const std::string& text = args.take();
  const auto n =
      parseWholeNumber(text, static_cast<long long>(minimum), static_cast<long long>(maximum));
  if (!n) return option + " needs a whole number " + range + ", not \"" + text + "\"";
  value = static_cast<Number>(*n);
  return {};
}

// Takes a file or folder name that is not empty from `args` into `name`; returns why it is
// missing, or an empty text.
std::string readName(const std::string& option, Arguments& args, std::string& name);

}  // namespace app
