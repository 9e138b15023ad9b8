#include "gui/GUI_Component_ListBoxItem.h"

namespace gui {

GUI_Component_ListBoxItem::GUI_Component_ListBoxItem(std::string id,
                                                     const std::string& normalPicture,
                                                     const std::vector<int>& columnStarts,
                                                     std::vector<std::wstring> cells)
    : GUI_Component(std::move(id)), skin_(normalPicture, columnStarts) {
  skin_.setCells(std::move(cells));
}

std::string GUI_Component_ListBoxItem::process(const platform::Input& input, bool mayTakeMouse) {
  if (!visible_) return {};
  return skin_.draw(input, mayTakeMouse) ? id() : std::string();
}

}  // namespace gui
