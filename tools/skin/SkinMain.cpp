#include <exception>
#include <iostream>
#include <string>

#include "SkinPictures.h"

// Usage: kelvane_skin [folder]   (default: the source tree's data/images/gui/)
int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : std::string(KELVANE_SKIN_DEFAULT_FOLDER);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  try {
    const int written = skin::paintSkin(folder);
    std::cout << "wrote " << written << " pictures to " << folder << "\n";
  } catch (const std::exception& error) {
    std::cerr << "kelvane_skin: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
