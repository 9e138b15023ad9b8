#pragma once
#include <string>

namespace platform {

// Narrow strings are UTF-8; wide strings hold one code point per character.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

}  // namespace platform
