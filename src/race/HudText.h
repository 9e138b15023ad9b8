#pragma once
#include <string>

#include "platform/Color.h"

namespace platform {
class Font;
}

namespace race {

// The layer of the race's texts, above the cars (50) and the tire marks (10).
inline constexpr double kHudTextZ = 100;

// One line of the race's texts: 20 pixels high, at (x, y) in screen pixels on layer z.
void drawHudText(const std::wstring& text, double x, double y, double z = kHudTextZ,
                 platform::Color color = platform::kWhite);
// The race's font at `height` pixels (20 for its texts, 40 for banners, 60 for the start's
// numerals).
const platform::Font& hudFont(int height);

}  // namespace race
