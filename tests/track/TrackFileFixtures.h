#pragma once
#include <string>
#include <vector>

#include "track/TrackData.h"

// Small hand-made track files for the loader tests.
namespace trackfixtures {

std::string pointXml(const TrackPoint& p, const char* element = "point");

// A complete track file with the given path points and start positions.
std::string trackXml(const std::vector<TrackPoint>& points,
                     const std::vector<TrackPoint>& positions = {},
                     const std::string& title = "Test Track",
                     const std::string& background = "test.png");

// A square loop of side 100 at (100, 100), clockwise on screen (y down) or counter-clockwise.
std::vector<TrackPoint> square(bool clockwise, double width = 40);

}  // namespace trackfixtures
