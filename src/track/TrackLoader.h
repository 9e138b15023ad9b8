#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "track/TrackData.h"

namespace track {

// The whole track: path (cross directions computed), start positions, title, background.
// No track on failure; `reason`, if given, then receives a short text for the player.
std::unique_ptr<TrackData> importTrack(const std::string& path, std::string* reason = nullptr);

// Only title, background and start positions (no path); used by the track list.
std::unique_ptr<TrackData> readLevelInfo(const std::string& path, std::string* reason = nullptr);

// Everything a track file holds, whatever the rules below say of it: the track editor opens
// unfinished work with it (a single point, a road beyond the size limits). No track only when
// the file cannot be read as a track file at all (not XML, an unusable number, too large).
std::unique_ptr<TrackData> readTrackAsWritten(const std::string& path,
                                              std::string* reason = nullptr);

// The rules a loaded track must keep, which importTrack applies after reading the file: at least
// two path points, positions and road within the size limits (TrackLimits.h), and a road that
// can be drawn in reasonable time. The editor checks its work with the same rules. False, with
// a short text for the player in `reason`, when the game would refuse the track.
bool trackLoadable(const TrackData& track, std::string* reason = nullptr);

// Why a path of `count` points cannot make a track; empty for two or more.
std::string pathPointsProblem(std::size_t count);

}  // namespace track
