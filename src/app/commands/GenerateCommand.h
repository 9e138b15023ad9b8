#pragma once
#include <string>

namespace app {

// `kelvane --generate-background TRACK.rst [OUT.png]`: paints the background of a track and saves
// it. TRACK is found as --race finds it (resolveTrackArgument: a path, or a file name in the
// tracks folders). An empty `outPath` means the track's folder, its file name without ".rst",
// and ".png" —
// or, when the game may not write beside the track (an installed game's tracks), the same name
// in the player's tracks folder ($XDG_DATA_HOME/kelvane/tracks/), which is created if needed.
// Returns the process exit code: 0 after saving (the path is printed), kFailureStatus when the
// track cannot be loaded or the picture cannot be painted or saved (the reason goes to standard
// error; an existing OUT that is not a regular file is never replaced).
int generateBackgroundCommand(const std::string& trackArgument, const std::string& outPath);

}  // namespace app
