#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "platform/Color.h"

// A player's name, car picture and colour live in the options store under "player<n>_name",
// "player<n>_image" and "player<n>_color" (n = car index + 1). A missing or unusable value gets
// its default, which is written back so the next read (and the saved file) finds it.
namespace race {

// Characters of a name kept from the settings; a longer one ends in "…", so the HUD and the
// result table cost the same whatever the file holds.
inline constexpr std::size_t kMaxNameCharacters = 40;

// "Player<n>" by default.
std::string getPlayerName(int carIndex);
// File name below "images/cars/"; "enzo.png" by default.
std::string getPlayerImage(int carIndex);
// Opaque random colour by default (red, green and blue each 0..254).
platform::Color getPlayerColor(int carIndex);

// The stored form of a colour: "AAA-RRRGGGBBB", three decimal digits each (opaque white is
// "255-255255255").
std::string colorText(platform::Color color);
// None unless the text is exactly 13 characters in the stored form with every number 0..255.
std::optional<platform::Color> parseColorText(const std::string& text);

}  // namespace race
