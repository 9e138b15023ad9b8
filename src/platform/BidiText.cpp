#include "platform/BidiText.h"

#include <fribidi.h>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

// The blocks of the right-to-left scripts: Hebrew to Arabic Extended, their presentation forms,
// and the historic scripts in the supplementary planes.
bool isRightToLeft(wchar_t c) {
  const auto code = static_cast<char32_t>(c);
  return (code >= 0x0590 && code <= 0x08FF) || (code >= 0xFB1D && code <= 0xFDFF) ||
         (code >= 0xFE70 && code <= 0xFEFF) || (code >= 0x10800 && code <= 0x10FFF) ||
         (code >= 0x1E800 && code <= 0x1EFFF);
}

}  // namespace

std::wstring visualOrder(const std::wstring& text) {
  if (std::none_of(text.begin(), text.end(), isRightToLeft)) return text;
  const std::vector<FriBidiChar> logical(text.begin(), text.end());
  std::vector<FriBidiChar> visual(logical.size() + 1);
  FriBidiParType direction = FRIBIDI_PAR_ON;
  if (!fribidi_log2vis(logical.data(), static_cast<FriBidiStrIndex>(logical.size()), &direction,
                       visual.data(), nullptr, nullptr, nullptr)) {
    return text;
  }
  std::wstring result;
  result.reserve(logical.size());
  for (std::size_t i = 0; i < logical.size(); ++i) {
    // Arabic shaping leaves zero-width joiners and deleted marks as 0xFEFF; they draw nothing.
    if (visual[i] != 0xFEFF) result.push_back(static_cast<wchar_t>(visual[i]));
  }
  return result;
}

}  // namespace platform
