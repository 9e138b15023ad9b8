#include "app/ScreenWidgets.h"

#include <algorithm>

namespace app {

void ScreenWidgets::destroy(gui::GUI_Component* widget) {
  if (widget == nullptr) return;
  gui_.remove(widget);
  std::erase_if(owned_, [widget](const auto& owned) { return owned.get() == widget; });
}

bool ScreenWidgets::destroyById(const std::string& id) {
  gui::GUI_Component* widget = gui_.find(id);
  if (widget == nullptr) return false;
  destroy(widget);
  return true;
}

void ScreenWidgets::clear() {
  gui_.clear();
  owned_.clear();
}

}  // namespace app
