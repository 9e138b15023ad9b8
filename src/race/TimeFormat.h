#pragma once
#include <string>

namespace race {

// What a time shows before it exists (no lap done yet, a lapped car's total).
inline constexpr const wchar_t* kNoTime = L"--:--:--.---";

// A race time as "mm:ss.mmm". Seconds, single precision as the lap clocks keep them; usually
// 0 .. a few thousand. Minutes are not wrapped (6000 s reads "100:00.000"); a negative (or
// non-finite) time reads as the placeholder kNoTime.
std::wstring formatTime(float seconds);

}  // namespace race
