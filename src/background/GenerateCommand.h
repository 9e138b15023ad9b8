#pragma once
#include <string>

// `kelvane --generate-background TRACK.rst [OUT.png]`: paints the background of a track and saves
// it. An empty `outPath` means the track's folder, its file name without ".rst", and ".png".
// Returns the process exit code: 0 after saving (the path is printed), 1 when the track cannot
// be loaded or the picture cannot be painted or saved (the reason goes to standard error).
int generateBackgroundCommand(const std::string& trackPath, const std::string& outPath);

// The picture file a track's background is saved to when no other is named.
std::string defaultBackgroundPath(const std::string& trackPath);
