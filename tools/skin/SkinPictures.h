#pragma once
#include <string>

namespace skin {

// Paints every picture of the GUI skin and saves it as PNG into `folder` (ending with '/').
// Returns the number of files written. Throws std::runtime_error when a file cannot be saved.
int paintSkin(const std::string& folder);

}  // namespace skin
