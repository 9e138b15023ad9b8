#pragma once
#include <string>

namespace platform {

// The folder of the run-time tree ("options.ini", "tracks/", "images/", "sound/", "help/"),
// ending with '/'. By default the folder of the executable; --data DIR sets another.
const std::string& programFolder();
void setProgramFolder(const std::string& folder);

}  // namespace platform
