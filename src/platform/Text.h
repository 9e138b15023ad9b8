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

// A moment (seconds since 1970) in local time, laid out by strftime's `format`
// ("%Y-%m-%d %H:%M" gives "2026-12-08 09:32").
std::string localTimeText(long long secondsSinceEpoch, const char* format);

}  // namespace platform
