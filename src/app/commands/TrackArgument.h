#pragma once
#include <string>

namespace app {

// The track file a command-line TRACK names: the path itself when it is a file, otherwise the
// file of that name in the player's tracks folder or, failing that, the shipped one
// (track::TrackFolders).
std::string trackArgumentPath(const std::string& track);

}  // namespace app
