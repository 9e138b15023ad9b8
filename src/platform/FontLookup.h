#pragma once
#include <optional>
#include <string>

namespace platform {

struct FontFile {
  std::string path;
  std::string family;  // the family that was found, which may be a stand-in
};

// Finds a font file for a family through fontconfig. A family that is not installed is replaced
// by the first installed of the humanist sans-serifs that stand in for it ("Open Sans", then
// "DejaVu Sans"). A name ending in .ttf or .otf is taken as a font file. Throws
// std::runtime_error naming the family (or file) when nothing usable is found.
FontFile findFont(const std::string& family);

// An installed font file that has a glyph for `character`, as fontconfig ranks them for a
// sans-serif text (DejaVu, Noto, Noto CJK, Noto Color Emoji on Debian); none when no installed
// font has it.
std::optional<std::string> fontFileWithCharacter(char32_t character);

}  // namespace platform
