#include "gui/GUI_Component_Mouse.h"

#include "platform/Input.h"

namespace gui {

GUI_Component_Mouse::GUI_Component_Mouse(std::string id, int z, bool visible)
    : GUI_Component(std::move(id)), pointer_(guiImagePath("mouse_pointer.png")), fade_(visible) {
  pointer_.z = z;
}

std::string GUI_Component_Mouse::process(const platform::Input& input, bool /*mayTakeMouse*/) {
  pointer_.x = static_cast<int>(input.mouseX());
  pointer_.y = static_cast<int>(input.mouseY());
  fade_.advance();
  pointer_.draw(fade_.colour());
  return {};
}

}  // namespace gui
