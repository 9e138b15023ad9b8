#pragma once
#include <string>

namespace platform {
class Font;
}

namespace gui {

// Shortens `text` one character at a time, ending it in "..", until it is at most `maxWidth`
// pixels wide in `font` (factor 1). Texts of 3 characters or fewer are never cut, so a
// very narrow limit still leaves something readable.
std::wstring fitText(const platform::Font& font, std::wstring text, double maxWidth);

}  // namespace gui
