#include "gui/GUI_Component_Image.h"

namespace gui {

GUI_Component_Image::GUI_Component_Image(std::string id, const std::string& fileName, int z, int x,
                                         int y, int width, int height, bool visible)
    : GUI_Component_Image(std::move(id), fileName, z, x, y, visible) {
  picture_.stretchTo(width, height);
}

GUI_Component_Image::GUI_Component_Image(std::string id, const std::string& fileName, int z, int x,
                                         int y, bool visible)
    : GUI_Component(std::move(id)), picture_(fileName), fade_(visible) {
  picture_.x = x;
  picture_.y = y;
  picture_.z = z;
}

std::string GUI_Component_Image::process(const platform::Input& /*input*/, bool /*mayTakeMouse*/) {
  fade_.advance();
  picture_.draw(fade_.colour());
  return id();
}

}  // namespace gui
