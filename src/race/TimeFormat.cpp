#include "race/TimeFormat.h"

#include <cmath>
#include <string>

namespace race {
namespace {

// Zeros in front of v until max(v, 1) scaled by ten per zero reaches `width`'s power of ten.
std::wstring zeroFilled(long long v, long long limit) {
  std::wstring text;
  for (long long scaled = v > 1 ? v : 1; scaled < limit; scaled *= 10) text += L'0';
  return text + std::to_wstring(v);
}

}  // namespace

std::wstring formatTime(float seconds) {
  if (!(seconds >= 0.0f) || !std::isfinite(seconds)) return kNoTime;
  const auto minutes = static_cast<long long>(seconds / 60.0f);
  const float rest = seconds - static_cast<float>(minutes) * 60.0f;
  const auto wholeSeconds = static_cast<long long>(rest);
  const float fraction = rest - static_cast<float>(wholeSeconds);
  const auto millis = static_cast<long long>(static_cast<double>(fraction) * 1000.0);
  return zeroFilled(minutes, 10) + L":" + zeroFilled(wholeSeconds, 10) + L"." +
         zeroFilled(millis, 100);
}

}  // namespace race
