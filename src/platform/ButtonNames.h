#pragma once
#include <string>

namespace platform {

// The name a player reads for a button id (see Buttons.h): "Up", "R", "Page Up", "Pad A",
// "Pad Left". Empty for an id that has no name (nothing the game can read).
std::string buttonName(int id);

}  // namespace platform
