#pragma once
#include <map>
#include <string>
#include <utility>

namespace testsupport {

// The options of a manual page's OPTIONS section: each entry's term line (after ".TP") as
// option name -> {short name, argument}, with the roff markup taken out.
std::map<std::string, std::pair<std::string, std::string>> manPageOptions(const std::string& page);

}  // namespace testsupport
