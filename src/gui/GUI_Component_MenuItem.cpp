#include "gui/GUI_Component_MenuItem.h"

namespace gui {

GUI_Component_MenuItem::GUI_Component_MenuItem(std::string id, std::wstring caption, bool subSkin)
    : GUI_Component(std::move(id)), skin_(subSkin), caption_(std::move(caption)) {}

std::string GUI_Component_MenuItem::process(const platform::Input& input, bool mayTakeMouse) {
  if (!visible_) return {};
  const bool hovered = skin_.draw(input, open_, mayTakeMouse);
  if (!hovered) return {};
  open_ = true;
  return id();
}

}  // namespace gui
