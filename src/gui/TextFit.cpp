#include "gui/TextFit.h"

#include <algorithm>

#include "platform/Font.h"

namespace gui {

namespace {

// Prefixes shorter than this are never measured on their own: one measurement of a few dozen
// characters costs no more than one of a single character.
constexpr std::size_t kFirstProbe = 32;

}  // namespace

std::wstring fitText(const platform::Font& font, const std::wstring& text, double maxWidth) {
  if (text.size() <= 3) return text;
  // Double a prefix until it no longer fits (or is the whole text), so a long text is never
  // measured whole when its start is already too wide.
  std::size_t tooWide = std::min(kFirstProbe, text.size());
  while (tooWide < text.size() && font.textWidth(text.substr(0, tooWide)) <= maxWidth) {
    tooWide = std::min(tooWide * 2, text.size());
  }
  if (tooWide == text.size() && font.textWidth(text) <= maxWidth) return text;

  // The longest prefix that fits with its "..", by halving; widths grow with the prefix, and
  // the prefix of `tooWide` characters is too wide even without it.
  auto shortened = [&](std::size_t length) { return text.substr(0, length) + L".."; };
  std::size_t fits = 1;
  std::size_t tooLong = tooWide;
  while (tooLong - fits > 1) {
    const std::size_t middle = fits + (tooLong - fits) / 2;
    if (font.textWidth(shortened(middle)) <= maxWidth) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  return shortened(fits);
}

}  // namespace gui
