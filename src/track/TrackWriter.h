#pragma once
#include <string>

#include "track/TrackData.h"

namespace track {

// The track file (XML) of a track: title, background, theme (when it has one), the path points
// in file order (the finish line first) and the start positions. Every number is written in the
// shortest form that reads back as exactly the same value, so loading the file gives exactly
// this track again. Path points are written with rotation 0: the loader works their rotation
// out itself.
std::string trackFileText(const TrackData& track);

// Saves the track file at `path` through the game's safe save (platform::saveFile): the
// old file stays whole until the new one is complete, and nothing but a regular file is
// replaced. False, with the reason in `error`, when it cannot be saved.
bool saveTrackFile(const TrackData& track, const std::string& path, std::string* error = nullptr);

}  // namespace track
