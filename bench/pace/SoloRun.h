#pragma once
#include <functional>
#include <memory>

#include "ReferenceDriver.h"
#include "drivers/Driver.h"

class Car;

// One car alone on a track, timed as a race times it (62 frames to the second).
struct SoloResult {
  double flyingLap = -1;    // seconds: the best lap after the first, -1 when none was done
  double offRoadShare = 0;  // of the frames driven
  int lapsDone = 0;
};

using DriverMaker = std::function<std::unique_ptr<drivers::Driver>(physics::Car& car,
                                                                   const track::TrackData& track)>;

// Drives `laps` laps from start position 0, or gives up after `timeLimit` seconds. The track
// needs its surface map.
SoloResult runSolo(const track::TrackData& track, const DriverMaker& makeDriver, int laps,
                   double timeLimit);

struct ReferenceLap {
  ReferenceSettings settings;
  SoloResult result;
};

// The reference driver's fastest flying lap over a small grid of its settings, among the runs
// that keep to the road (at most 3 % of the time off it).
ReferenceLap tuneReference(const track::TrackData& track);
