#include "gui/GUI_Component_Button.h"

namespace gui {

GUI_Component_Button::GUI_Component_Button(std::string id, std::wstring caption)
    : GUI_Component(std::move(id)), caption_(std::move(caption)) {}

void GUI_Component_Button::place(int z, int x, int y, int maxWidth) {
  skin_.layout(z, x, y, caption_, maxWidth);
}

std::string GUI_Component_Button::process(const platform::Input& input, bool mayTakeMouse) {
  if (!visible_) return {};
  return skin_.draw(input, mayTakeMouse) ? id() : std::string();
}

}  // namespace gui
