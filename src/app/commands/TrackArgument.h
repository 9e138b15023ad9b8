#pragma once
#include <optional>
#include <string>

namespace app {

// The track file a command-line TRACK names, resolved the same way by every command: a path to
// a file as given; otherwise a bare file name looked up in the player's tracks folder and then
// the shipped one (platform::UserFolders::trackFile). None when there is no readable track
// file there; `error` then says which path was tried and why it cannot be read ("is a
// directory, not a track file", "is larger than 8 MB", "no such file").
std::optional<std::string> resolveTrackArgument(const std::string& track, std::string* error);

}  // namespace app
