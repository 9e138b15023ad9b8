// Draws the race car seen from above, 17 × 8 pixels, the size the race draws it at unscaled.
// The nose points to the left (-x): the race turns the picture by (angle·180/π − 90) degrees,
// which brings the left edge to the car's heading. The body is white and light grey because the
// race multiplies the picture by the player's colour; glass, tyres and shadows are dark so they
// stay dark whatever the colour.
//
// Usage: kelvane_car_picture [output.png]
#include <cstdio>
#include <exception>
#include <string>

#include "platform/Bitmap.h"

namespace {

// One character per pixel, nose on the left.
constexpr int kWidth = 17;
constexpr int kHeight = 8;
constexpr const char* kRows[kHeight] = {
    "..tt.......tt....",  //
    ".sWWWWWWWWWWWWWs.",  //
    "hWWWggWlllWgWWWWr",  //
    "WWWgggLlllLggWWWW",  //
    "WWWgggLlllLggWWWW",  //
    "hWWWggWlllWgWWWWr",  //
    ".sWWWWWWWWWWWWWs.",  //
    "..tt.......tt....",  //
};

platform::Color colourOf(char c) {
  switch (c) {
    case 'W':
      return 0xfff4f4f4u;  // body
    case 'l':
      return 0xffd8d8d8u;  // roof
    case 'L':
      return 0xffc4c4c4u;  // roof edge
    case 's':
      return 0xffb0b0b0u;  // rounded corners, half shaded
    case 'g':
      return 0xff3a4452u;  // glass
    case 't':
      return 0xff1c1c1cu;  // tyres
    case 'h':
      return 0xfffff2c0u;  // headlights
    case 'r':
      return 0xff8c2a2au;  // tail lights
    default:
      return 0x00000000u;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : KELVANE_CAR_DEFAULT_PATH;
  platform::Bitmap picture(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) picture.setPixel(x, y, colourOf(kRows[y][x]));
  try {
    picture.savePng(path);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::printf("wrote %s (%d x %d)\n", path.c_str(), kWidth, kHeight);
  return 0;
}
