#pragma once
#include <memory>
#include <string>

#include "track/TrackData.h"

namespace track {

// The whole track: path (cross directions computed), start positions, title, background.
// No track on failure; `reason`, if given, then receives a short text for the player.
std::unique_ptr<TrackData> importTrack(const std::string& path, std::string* reason = nullptr);

// Only title, background and start positions (no path); used by the track list.
std::unique_ptr<TrackData> readLevelInfo(const std::string& path, std::string* reason = nullptr);

}  // namespace track
