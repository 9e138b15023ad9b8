#include "gui/GUI_Component_Menu.h"

#include <algorithm>

#include "platform/Input.h"

namespace gui {

GUI_Component_Menu::GUI_Component_Menu(std::string id)
    : GUI_Component(std::move(id)), frame_(FieldFrameKind::Main) {}

GUI_Component_Menu::~GUI_Component_Menu() = default;

void GUI_Component_Menu::setFrameKind(FieldFrameKind kind) {
  frame_ = FieldFrame(kind);
}

GUI_Component_MenuItem& GUI_Component_Menu::addItem(std::string id, std::wstring caption,
                                                    bool subSkin) {
  items_.push_back(
      std::make_unique<GUI_Component_MenuItem>(std::move(id), std::move(caption), subSkin));
  return *items_.back();
}

GUI_Component_Menu& GUI_Component_Menu::addSubMenu(const std::string& openerId,
                                                   std::unique_ptr<GUI_Component_Menu> menu) {
  menu->name_ = openerId;
  subMenus_.push_back(std::move(menu));
  return *subMenus_.back();
}

GUI_Component_MenuItem* GUI_Component_Menu::findItem(const std::string& id) {
  for (auto& item : items_) {
    if (item->id() == id) return item.get();
  }
  return nullptr;
}

void GUI_Component_Menu::layout(int z, int x1, int y1, int x2, int y2) {
  const Insets& margin = frame_.margin();
  const Insets& spacing = frame_.spacing();
  const int mode = frame_.anchorMode();
  const int contentX = spacing.left + margin.left + (mode == 2 || mode == 3 ? x1 : x2);
  const int contentY = spacing.top + margin.top + (mode == 0 || mode == 3 ? y1 : y2);

  int maxRight = contentX;
  int maxBottom = contentY;
  if (frame_.vertical()) {
    int width = 0;
    for (const auto& item : items_) {
      width = std::max(width, item->skin().naturalWidth(item->caption()));
    }
    int y = contentY;
    for (auto& item : items_) {
      item->skin().layout(z, contentX, y, width, item->caption());
      y = item->skin().bottom();
    }
  } else {
    int x = contentX;
    for (auto& item : items_) {
      item->skin().layout(z, x, contentY, item->skin().naturalWidth(item->caption()),
                          item->caption());
      x = item->skin().right();
    }
  }
  for (const auto& item : items_) {
    maxRight = std::max(maxRight, item->skin().right());
    maxBottom = std::max(maxBottom, item->skin().bottom());
  }
  frame_.layout(z, x1, x2, y1, y2, maxRight, maxBottom);

  for (auto& sub : subMenus_) {
    if (const GUI_Component_MenuItem* opener = findItem(sub->name_)) {
      const MenuItemSkin& at = opener->skin();
      sub->layout(z, at.left(), at.top(), at.right(), at.bottom());
    }
  }
}

void GUI_Component_Menu::closeAll() {
  for (auto& item : items_) item->setOpen(false);
}

std::string GUI_Component_Menu::process(const platform::Input& input, bool mayTakeMouse) {
  if (!visible_) return {};
  frame_.draw();

  const bool pointerInside =
      frame_.contains(static_cast<int>(input.mouseX()), static_cast<int>(input.mouseY()));
  // On the bar only the entry under the pointer stays open.
  if (pointerInside) closeAll();

  std::string result;
  for (auto& item : items_) {
    std::string id = item->process(input, mayTakeMouse && result.empty());
    if (!id.empty()) result = std::move(id);
  }
  for (auto& item : items_) {
    if (!item->isOpen()) continue;
    for (auto& sub : subMenus_) {
      if (sub->name_ != item->id()) continue;
      std::string id = sub->process(input, mayTakeMouse && result.empty());
      if (!id.empty() && result.empty()) result = std::move(id);
    }
  }

  if (result.empty()) {
    if (pointerInside) return mayTakeMouse ? kBackgroundId : std::string();
    if (input.down(platform::button::kMouseLeft)) closeAll();
  }
  return result;
}

}  // namespace gui
