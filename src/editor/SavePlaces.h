#pragma once
#include <string>

#include "track/TrackFolders.h"

// Where the editor saves tracks: beside the track when the game may write there, otherwise in
// the player's own tracks folder ($XDG_DATA_HOME/kelvane/tracks/), where the game lists it and
// where an edited copy of a shipped track takes the original's place. The rule is the one the
// game uses for the backgrounds it paints.
namespace editor {

// The file Save writes for a track read from `trackPath`: the same file, or the file of the same
// name in the player's tracks folder when the track's folder is read-only (an installed game).
std::string savePathFor(const track::TrackFolders& folders, const std::string& trackPath);

// The folder where tracks of the player's own are saved: the run-time tree's tracks folder of a
// game run from its build folder, the player's tracks folder otherwise.
std::string newTracksFolder(const track::TrackFolders& folders);

// A file name for a track titled `title`: lower-case letters and digits with "_" between the
// words, ".rst" at the end ("Harbour Loop 2" gives "harbour_loop_2.rst"; "track.rst" when
// nothing usable is left).
std::string fileNameForTitle(const std::string& title);

// A path in `folder` (ending with '/') for `fileName` that names no existing file: the name
// itself, or with "_2", "_3" … before ".rst".
std::string unusedPath(const std::string& folder, const std::string& fileName);

}  // namespace editor
