#pragma once
#include <string>

#include "platform/Color.h"

namespace platform {
class Image;
}

namespace gui {

// The full path of a skin picture: the program folder, "images/gui/" and `name`.
std::string guiImagePath(const std::string& name);

// One cached picture placed on the screen. Every skin and frame is built from sprites.
struct Sprite {
  // A sprite without a picture; it draws nothing.
  Sprite() = default;
  // Looks the picture up in the ImageCache (loading it on a miss). Throws what the cache throws.
  explicit Sprite(const std::string& fileName);

  // Pixel size of the picture at factor 1; 0 without a picture.
  int width() const;
  int height() const;
  // Sets the factors so the picture covers `w` × `h` pixels. A negative size (a frame laid out
  // smaller than its corners) gives factor 0: the piece vanishes instead of being mirrored.
  void stretchTo(int w, int h);
  void stretchWidth(int w);
  void stretchHeight(int h);

  // At (x + offsetX, y + offsetY) on layer z with the factors; white leaves it untinted.
  void draw(platform::Color color = platform::kWhite, int offsetX = 0, int offsetY = 0) const;

  std::string fileName;
  const platform::Image* image = nullptr;
  int x = 0;
  int y = 0;
  int z = 1;
  double scaleX = 1.0;
  double scaleY = 1.0;
};

// The factor that stretches `imageLength` pixels to `length` (0 for a negative length or an
// empty picture).
double stretchFactor(int length, int imageLength);

}  // namespace gui
