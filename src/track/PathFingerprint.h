#pragma once
#include <string>
#include <vector>

#include "track/TrackData.h"

namespace track {

// A short text that changes whenever the road changes: 16 hexadecimal digits of a 64-bit
// FNV-1a hash over every path point's x, y, width and offset, in the order of the file. Start
// positions, title and background do not count. The records keep a track's times under it,
// so an edited road starts without records.
std::string pathFingerprint(const std::vector<TrackPoint>& filePoints);

}  // namespace track
