#pragma once
#include <cstddef>

namespace track {

// How big a track may be. The background generator rasterises a track at 0.5 world units per
// cell and keeps three maps of that size plus a picture of one pixel per world unit, so a track
// of the largest allowed area costs it about 4 × 4 × 12'000'000 bytes per map (some 600 MB in
// all); anything larger is refused before a single map is allocated.
namespace limits {

// Largest `extentX` / `extentY`, world units.
inline constexpr double kMaxExtent = 8000.0;
// Largest extentX × extentY, square world units (a 4000 × 3000 track).
inline constexpr double kMaxArea = 12'000'000.0;
// Smallest cell size a surface map may be built with, world units.
inline constexpr double kMinCellSize = 0.5;
// Path coordinates, widths and offsets stay within ±kMaxExtent, so no line drawn between two
// points can run longer than a few tens of thousands of cells.
inline constexpr double kMaxCoordinate = kMaxExtent;
// Any number in a track file: far beyond every sensible value, but small enough that converting
// it to an integer cell never overflows.
inline constexpr double kMaxFileValue = 1'000'000.0;
// Most cells the road of a track may cover when drawn at kMinCellSize (Geometry.h,
// rasterisedCells): over a hundred times what the largest shipped track needs, yet a file of
// long zigzags within every other limit would otherwise keep the map builder busy for minutes
// and take gigabytes.
inline constexpr double kMaxRasterCells = 20'000'000.0;
// Characters of a title kept from the file; a longer one ends in "…". Every place that shows a
// title (the track list, the race setup, popups, the window caption) then costs the same
// whatever the file holds: a 10 000-character title once froze the menu for seconds.
inline constexpr std::size_t kMaxTitleCharacters = 120;
// Track files are a few hundred kilobytes at most; larger files are refused unread.
inline constexpr std::size_t kMaxFileBytes = 8u * 1024u * 1024u;

}  // namespace limits

}  // namespace track
