#pragma once

// The names of the settings in "options.ini", spelled as the file has them, each under the
// section whose getter reads it (Options).
namespace config::key {

// [ Graphics ]: how the race is shown.
// The camera's zoom in percent: 100, 150 or 200 (+ and - in a race).
inline constexpr const char* zoom = "zoom";
// 1 shows the minimap in a race's top right corner, 0 hides it (M in a race).
inline constexpr const char* minimap = "minimap";

// [ Keys ]: the race's keys, each a button id as the game numbers keys (the keyboard's scan
// code: R is 19, M is 50, - is 12, = is 13).
inline constexpr const char* backOnTrack = "backOnTrack";
inline constexpr const char* zoomIn = "zoomIn";
inline constexpr const char* zoomOut = "zoomOut";
inline constexpr const char* toggleMinimap = "toggleMinimap";

}  // namespace config::key
