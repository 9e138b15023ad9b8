#pragma once
#include <cstdint>

namespace platform {

// 32-bit ARGB (0xAARRGGBB). 0xffffffff is opaque white and leaves a picture untinted.
using Color = std::uint32_t;

constexpr Color kWhite = 0xffffffffu;
constexpr Color kBlack = 0xff000000u;

constexpr std::uint8_t alphaOf(Color c) {
  return static_cast<std::uint8_t>(c >> 24);
}
constexpr std::uint8_t redOf(Color c) {
  return static_cast<std::uint8_t>(c >> 16);
}
constexpr std::uint8_t greenOf(Color c) {
  return static_cast<std::uint8_t>(c >> 8);
}
constexpr std::uint8_t blueOf(Color c) {
  return static_cast<std::uint8_t>(c);
}
constexpr Color argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (a & 0xffu) << 24 | (r & 0xffu) << 16 | (g & 0xffu) << 8 | (b & 0xffu);
}

// The colour with another alpha (clamped to 0 .. 255): the same tint, more or less see-through.
constexpr Color withAlpha(Color c, int alpha) {
  return (c & 0x00ffffffu) | static_cast<Color>(alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha)) << 24;
}

}  // namespace platform
