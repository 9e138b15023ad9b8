#pragma once
#include <memory>
#include <string>

#include "track/TrackData.h"

namespace bgtest {

// The text of a small closed track: a rounded rectangle of about 600 × 500 world units, road
// `width` wide, two start slots on the top straight.
std::string roundedLoopText(double width = 36.0);

// Writes the track into `folder` (ending with '/') as `name` and loads it.
std::unique_ptr<track::TrackData> loadRoundedLoop(const std::string& folder,
                                                  const std::string& name = "loop.rst");

}  // namespace bgtest
