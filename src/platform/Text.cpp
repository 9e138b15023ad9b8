#include "platform/Text.h"

#include <ctime>

namespace platform {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0u) == 0x80u;
}

}  // namespace

std::wstring widen(const std::string& utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  const std::size_t n = utf8.size();
  std::size_t i = 0;
  while (i < n) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80u) {
      wide.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    } else if ((lead & 0xE0u) == 0xC0u) {
      length = 2, code = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0u) == 0xE0u) {
      length = 3, code = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8u) == 0xF0u) {
      length = 4, code = lead & 0x07u, minimum = 0x10000;
    } else {
      // A stray continuation byte or an invalid lead: one replacement per bad byte.
      wide.push_back(kReplacement);
      ++i;
      continue;
    }
    int taken = 1;
    while (taken < length && i + taken < n &&
           isContinuation(static_cast<unsigned char>(utf8[i + taken]))) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + taken]) & 0x3Fu);
      ++taken;
    }
    const bool valid = taken == length && code >= minimum && code <= 0x10FFFF &&
                       !(code >= 0xD800 && code <= 0xDFFF);
    wide.push_back(valid ? static_cast<wchar_t>(code) : kReplacement);
    i += static_cast<std::size_t>(taken);
  }
  return wide;
}

std::string narrow(const std::wstring& wide) {
  std::string utf8;
  utf8.reserve(wide.size());
  for (wchar_t ch : wide) {
    auto code = static_cast<char32_t>(ch);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacement;
    if (code < 0x80) {
      utf8.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (code >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0 | (code >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xF0 | (code >> 18)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return utf8;
}

std::string limitText(const std::string& utf8, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (isContinuation(static_cast<unsigned char>(utf8[i]))) continue;
    if (characters == maxCharacters) return utf8.substr(0, i) + "\u2026";
    ++characters;
  }
  return utf8;
}

std::string localTimeText(long long secondsSinceEpoch, const char* format) {
  const auto time = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm parts{};
  localtime_r(&time, &parts);
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, format, &parts);
  return std::string(text, length);
}

}  // namespace platform
