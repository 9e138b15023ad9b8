#pragma once
#include <string>
#include <vector>

#include "track/TrackData.h"

namespace editor {

// How bad a finding is. A refusal is what makes the game refuse the track (it will not load it,
// or will not start a race on it); a warning is a track the game takes that will not race well.
enum class Severity { Refusal, Warning };

struct Finding {
  Severity severity = Severity::Warning;
  std::string message;
  // Where on the track it is, world units, when it is at one place.
  bool located = false;
  double x = 0;
  double y = 0;
};

// Everything wrong with the track, refusals first, each kind in the order of the path. The
// game's own rules decide the refusals: what the loader refuses (track::trackLoadable: too few
// points, sizes and widths beyond the limits) and a track without a start grid, which the menu
// will not race. Warnings: a path of two points, a road that crosses itself, a road narrower
// than the computer drivers need, and grid places off the road, ahead of the finish line or
// overlapping another place.
std::vector<Finding> checkTrack(const track::TrackData& track);

// Whether any finding is a refusal.
bool gameRefuses(const std::vector<Finding>& findings);

// "error: ..." or "warning: ..." for the command line.
std::string findingLine(const Finding& finding);

}  // namespace editor
