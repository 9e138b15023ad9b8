#pragma once
#include <string>

namespace platform {

// Where the run-time tree was found.
enum class DataLocation {
  BesideProgram,  // the executable's own folder holds it (a build folder, an unpacked archive)
  Installed,      // the installed share folder: read-only for the game, whoever runs it
  Given,          // --data DIR (or a test) named it
};

// The folder of the run-time tree ("options.ini", "tracks/", "images/", "sound/", "help/"),
// ending with '/'. By default the executable's folder when it holds the tree, otherwise the
// installed share folder (../share/kelvane beside bin/); --data DIR sets another.
const std::string& programFolder();
void setProgramFolder(const std::string& folder);
// The same, saying where the tree counts as found (an installed tree is never written to).
void setProgramFolder(const std::string& folder, DataLocation location);
DataLocation dataLocation();

// The folder name with a '/' at its end: every folder name the game keeps ends so, and a file
// name is simply appended. "" becomes "/".
std::string withSlash(std::string folder);

// The choice programFolder() makes by default, for a program in `executableFolder` (ending
// with '/'): that folder when it has "tracks/" or "images/", else the installed share folder
// relative to it when that exists, else the executable's folder all the same.
struct FoundTree {
  std::string folder;
  DataLocation location = DataLocation::BesideProgram;
};
FoundTree findRunTimeTree(const std::string& executableFolder);

}  // namespace platform
