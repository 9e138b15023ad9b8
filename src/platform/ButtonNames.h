#pragma once
#include <optional>
#include <string>

namespace platform {

// The name a player reads for a button id (see Buttons.h): "Up", "R", "Page Up", "Pad A",
// "Pad Left". Empty for an id that has no name (nothing the game can read).
std::string buttonName(int id);
// The id of a name given by buttonName (any letter case); nothing for an unknown name. The
// settings file keeps the keys by name, so a player can read and edit them.
std::optional<int> buttonByName(const std::string& name);

}  // namespace platform
