#pragma once
#include <cstddef>
#include <string>

namespace platform {

// Narrow strings are UTF-8; wide strings hold one code point per character.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

// `utf8` cut to its first `maxCharacters` code points (typically 40..200) and ended with "…"
// when it is longer; never cuts a character in two. Bounds what a text from a file costs
// wherever it is shown.
std::string limitText(const std::string& utf8, std::size_t maxCharacters);

}  // namespace platform
