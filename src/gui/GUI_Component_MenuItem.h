#pragma once
#include <string>

#include "gui/GUI_Component.h"
#include "gui/MenuItemSkin.h"

namespace gui {

// One entry of a menu bar or drop-down, owned and laid out by its menu. Hovering it opens it
// (its drop-down shows) until the menu closes it again.
class GUI_Component_MenuItem : public GUI_Component {
 public:
  GUI_Component_MenuItem(std::string id, std::wstring caption, bool subSkin);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return skin_.z(); }

  const std::wstring& caption() const { return caption_; }
  bool isOpen() const { return open_; }
  void setOpen(bool open) { open_ = open; }
  MenuItemSkin& skin() { return skin_; }
  const MenuItemSkin& skin() const { return skin_; }

 private:
  MenuItemSkin skin_;
  std::wstring caption_;
  bool open_ = false;
};

}  // namespace gui
