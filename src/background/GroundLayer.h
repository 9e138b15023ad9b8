#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "background/Theme.h"
#include "track/SurfaceMap.h"
#include "track/TrackData.h"

namespace background {

// The ground a car feels off the road, as the painter painted it: one surface kind
// (SurfaceMap::kGrass, kSand, kSnow, kGravel, kWater) per cell of the race's surface map. The
// painter keeps it inside the picture it saves, so the race reads what was drawn.
struct GroundLayer {
  // World units per cell: the race's map.
  static constexpr double kCellSize = 4.0;
  // The PNG chunk that carries it: private, and not to be copied into an edited picture.
  static constexpr const char* kChunkType = "kvGR";

  std::uint32_t rows = 0;
  std::uint32_t columns = 0;
  std::vector<std::uint8_t> kinds;  // row-major

  // The layer of a painted map (cell 0.5 world units) for a track of the given extents (world
  // units, TrackData::extentX and extentY): each race cell takes the ground of the painted cell
  // at its centre; road reads as the theme's ground, since the race marks the road itself.
  static GroundLayer paintedOn(const track::SurfaceMap& paintMap, const Theme& theme,
                               std::int32_t extentX, std::int32_t extentY);

  // The chunk's bytes: columns and rows (4 bytes each, big-endian), then the kinds deflated.
  std::vector<unsigned char> encode() const;
  // None for bytes that are not a layer.
  static std::optional<GroundLayer> decode(const std::vector<unsigned char>& bytes);
};

// Writes the painted ground into the race's map (cell 4 world units) of a track whose picture
// is `picturePath`: every cell that is not road gets the kind the picture's layer gives. A
// picture without a layer of the map's size (drawn by hand, or painted by an older game) gives
// the ground of the track's theme everywhere off the road.
void dressSurfaceMap(track::SurfaceMap& raceMap, const track::TrackData& track,
                     const std::string& picturePath);

}  // namespace background
