#include "gui/Sprite.h"

#include "gui/ImageCache.h"
#include "platform/Image.h"
#include "platform/Paths.h"

namespace gui {

std::string guiImagePath(const std::string& name) {
  return platform::programFolder() + "images/gui/" + name;
}

double stretchFactor(int length, int imageLength) {
  if (length <= 0 || imageLength <= 0) return 0.0;
  return static_cast<double>(length) / imageLength;
}

Sprite::Sprite(const std::string& file) : fileName(file), image(&ImageCache::get(file)) {}

int Sprite::width() const {
  return image ? image->width() : 0;
}
int Sprite::height() const {
  return image ? image->height() : 0;
}

void Sprite::stretchTo(int w, int h) {
  stretchWidth(w);
  stretchHeight(h);
}

void Sprite::stretchWidth(int w) {
  scaleX = stretchFactor(w, width());
}
void Sprite::stretchHeight(int h) {
  scaleY = stretchFactor(h, height());
}

void Sprite::draw(platform::Color color, int offsetX, int offsetY) const {
  if (image == nullptr) return;
  image->draw(x + offsetX, y + offsetY, z, scaleX, scaleY, color);
}

}  // namespace gui
