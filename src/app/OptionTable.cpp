#include "app/OptionTable.h"

#include <charconv>

namespace app {

namespace {

// The column where --help starts the options' help lines.
constexpr std::size_t kHelpColumn = 29;

}  // namespace

std::string optionHelpLine(const char* shortName, const char* name, const char* argument,
                           const char* help) {
  std::string term =
      shortName != nullptr ? std::string("  ") + shortName + ", " : std::string(6, ' ');
  term += name;
  if (*argument != '\0') term += std::string(" ") + argument;
  // A long term gets its help on a line of its own.
  term += term.size() < kHelpColumn ? std::string(kHelpColumn - term.size(), ' ')
                                    : "\n" + std::string(kHelpColumn, ' ');
  return term + help + "\n";
}

std::optional<long long> parseWholeNumber(const std::string& text, long long minimum,
                                          long long maximum) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  if (value < minimum || value > maximum) return std::nullopt;
  return value;
}

std::string readName(const std::string& option, Arguments& args, std::string& name) {
  if (args.done() || args.next().empty()) return option + " needs a file or folder name";
  name = args.take();
  return {};
}

}  // namespace app
