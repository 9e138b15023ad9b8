#pragma once

namespace gui {

// The family of every text the game draws; where it is not installed, the platform's font
// lookup puts a humanist sans-serif in its place.
inline constexpr const char* kFontFamily = "Trebuchet MS";

}  // namespace gui
