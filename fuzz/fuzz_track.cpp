// The track loaders fed with any bytes as a ".rst" file, and the surface map built from what
// they accept. Properties: nothing crashes or hangs; a refused file comes with a reason; an
// accepted track is finite, within the size limits, and rasterises into a map of its extents;
// the light loader accepts whatever the full loader accepts and agrees with it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <xercesc/util/PlatformUtils.hpp>

#include "FuzzFiles.h"
#include "track/Geometry.h"
#include "track/TrackLimits.h"
#include "track/TrackLoader.h"

namespace {

bool finite(const track::TrackPoint& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.width) &&
         std::isfinite(p.offset) && std::isfinite(p.rotation);
}

bool samePoint(const track::TrackPoint& a, const track::TrackPoint& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.offset == b.offset &&
         a.rotation == b.rotation;
}

void checkSurfaceMap(const track::TrackData& track, double cellSize) {
  const auto map = track::buildSurfaceMap(track, cellSize);
  fuzzfiles::require(map->rows == static_cast<std::uint32_t>((cellSize + track.extentY) / cellSize),
                     "the map's rows cover extentY");
  fuzzfiles::require(
      map->columns == static_cast<std::uint32_t>((cellSize + track.extentX) / cellSize),
      "the map's columns cover extentX");
  for (std::int32_t cell : map->cells) {
    fuzzfiles::require(cell == 0 || cell == 3, "a map cell is grass or road");
  }
}

}  // namespace

// The loaders start and stop the XML platform around every load; holding it started here makes
// those calls cheap, so the fuzzer spends its time in parsing rather than in set-up.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  xercesc::XMLPlatformUtils::Initialize();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzfiles::writeInput("input.rst", data, size);

  std::string fullReason;
  const auto track = track::importTrack(path, &fullReason);
  std::string infoReason;
  const auto info = track::readLevelInfo(path, &infoReason);

  if (!info) fuzzfiles::require(!infoReason.empty(), "a refused file comes with a reason");
  if (info) {
    fuzzfiles::require(info->points.empty(), "the light loader reads no path");
    fuzzfiles::require(!info->title.empty(), "a listed track always has a title");
    for (const track::TrackPoint& p : info->positions) {
      fuzzfiles::require(finite(p), "start positions are finite");
    }
  }
  if (!track) {
    fuzzfiles::require(!fullReason.empty(), "a refused track comes with a reason");
    return 0;
  }

  fuzzfiles::require(track->points.size() >= 2, "a loaded path has at least two points");
  for (const track::TrackPoint& p : track->points) {
    fuzzfiles::require(finite(p), "path points are finite");
    fuzzfiles::require(std::fabs(p.x) <= track::limits::kMaxCoordinate &&
                           std::fabs(p.y) <= track::limits::kMaxCoordinate,
                       "path points lie within the coordinate limit");
  }
  for (const track::TrackPoint& p : track->positions) {
    fuzzfiles::require(finite(p), "start positions are finite");
  }
  fuzzfiles::require(track->extentX >= 0 && track->extentY >= 0, "extents are not negative");
  fuzzfiles::require(track::surfaceMapFits(*track, 4.0), "a loaded track fits the race's map");

  fuzzfiles::require(info != nullptr, "the light loader takes every track the full one takes");
  fuzzfiles::require(info->title == track->title && info->background == track->background,
                     "both loaders read the same title and background");
  fuzzfiles::require(info->positions.size() == track->positions.size(),
                     "both loaders read the same start positions");
  for (std::size_t i = 0; i < info->positions.size(); ++i) {
    fuzzfiles::require(samePoint(info->positions[i], track->positions[i]),
                       "both loaders read the same start positions");
  }

  // The race's map (cells of 4), and the generator's finest one where it stays small.
  checkSurfaceMap(*track, 4.0);
  if (static_cast<double>(track->extentX) * track->extentY <= 250'000.0) {
    checkSurfaceMap(*track, 0.5);
  }
  return 0;
}
