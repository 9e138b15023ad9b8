#pragma once
#include <cmath>
#include <memory>
#include <string>

#include "common/Angle.h"
#include "config/Options.h"
#include "physics/Car.h"
#include "platform/Paths.h"
#include "support/FakeCar.h"
#include "support/TestSupport.h"
#include "track/TrackData.h"

namespace driverfixtures {

using FakeCar = ::FakeCar;

// A ring road around the map's centre: road between the two radii (cells of 4 world units),
// its path points on the middle circle, clockwise on the screen (growing angle).
inline std::unique_ptr<track::TrackData> ringTrack(int size = 200, double innerRadius = 55,
                                                   double outerRadius = 85, int pointCount = 48) {
  auto track = std::make_unique<track::TrackData>();
  track->surfaceMap = std::make_unique<track::SurfaceMap>(size, size);
  const double centre = size / 2.0;
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const double r = std::hypot(column + 0.5 - centre, row + 0.5 - centre);
      if (r >= innerRadius && r <= outerRadius)
        track->surfaceMap->set(row, column, track::SurfaceMap::kRoad);
    }
  }
  const double middle = (innerRadius + outerRadius) / 2;
  for (int i = 0; i < pointCount; ++i) {
    const double a = common::kTwoPi * i / pointCount;
    track::TrackPoint p;
    p.x = (centre + middle * std::cos(a)) * 4;
    p.y = (centre + middle * std::sin(a)) * 4;
    p.width = (outerRadius - innerRadius) * 4;
    p.rotation = a;
    track->points.push_back(p);
  }
  track->extentX = size * 4;
  track->extentY = size * 4;
  return track;
}

// Points the options store at a fresh folder for the test's lifetime, optionally with an
// "options.ini"; the real settings file is never read or written.
class ScopedOptions {
 private:
  // Put back when the test ends: the next test must not run in this one's folder.
  testsupport::ProgramFolderScope programFolderScope_;

 public:
  explicit ScopedOptions(const std::string& ini = "") {
    config::Options::destroy(false);
    if (!ini.empty()) folder_.write("options.ini", ini);
    platform::setProgramFolder(folder_.folder());
  }
  ~ScopedOptions() { config::Options::destroy(false); }
  ScopedOptions(const ScopedOptions&) = delete;
  ScopedOptions& operator=(const ScopedOptions&) = delete;

 private:
  testsupport::TempDir folder_;
};

}  // namespace driverfixtures
