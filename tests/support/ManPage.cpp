#include "support/ManPage.h"

#include <regex>
#include <sstream>

namespace testsupport {

std::map<std::string, std::pair<std::string, std::string>> manPageOptions(const std::string& page) {
  const std::size_t start = page.find(".SH OPTIONS\n");
  const std::size_t end = page.find("\n.SH ", start + 1);
  std::istringstream section(page.substr(start, end - start));
  std::map<std::string, std::pair<std::string, std::string>> options;
  std::string line;
  while (std::getline(section, line)) {
    if (line != ".TP" || !std::getline(section, line)) continue;
    line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
    line = std::regex_replace(line, std::regex(R"(\\f[RIB])"), "");
    line = std::regex_replace(line, std::regex(R"("|,|^\.[A-Z]+)"), " ");
    std::istringstream words(line);
    std::string word, shortName, name, argument;
    while (words >> word) {
      if (word.rfind("--", 0) == 0) {
        name = word;
      } else if (word[0] == '-') {
        shortName = word;
      } else {
        argument += (argument.empty() ? "" : " ") + word;
      }
    }
    options[name] = {shortName, argument};
  }
  return options;
}

}  // namespace testsupport
