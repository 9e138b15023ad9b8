#pragma once
#include <string>

namespace platform {
class Font;
}

namespace gui {

// The longest start of `text` that, ending in "..", is at most `maxWidth` pixels wide in `font`
// (factor 1); `text` itself when it fits. Texts of 3 characters or fewer are never cut, and at
// least one character is kept, so a very narrow limit still leaves something readable.
// The cost follows what fits in the width, not the length of `text`: a 10 000-character title
// is measured about as often as a 100-character one.
std::wstring fitText(const platform::Font& font, const std::wstring& text, double maxWidth);

}  // namespace gui
