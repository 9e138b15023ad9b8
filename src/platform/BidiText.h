#pragma once
#include <string>

namespace platform {

// `text` in the order its characters are drawn from left to right: right-to-left runs (Hebrew,
// Arabic) reversed and Arabic letters in their joined forms, by the Unicode bidirectional
// algorithm (GNU FriBidi), the paragraph's direction taken from its first strong character.
// Text without right-to-left characters comes back unchanged.
std::wstring visualOrder(const std::wstring& text);

}  // namespace platform
