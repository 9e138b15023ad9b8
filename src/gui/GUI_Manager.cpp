#include "gui/GUI_Manager.h"

#include <algorithm>

#include "gui/FontCache.h"
#include "gui/ImageCache.h"
#include "platform/Input.h"

namespace gui {

GUI_Manager::GUI_Manager(platform::Graphics& graphics) : graphics_(graphics) {
  ImageCache::setGraphics(&graphics);
  FontCache::setGraphics(&graphics);
}

void GUI_Manager::add(GUI_Component* component) {
  components_.push_back(component);
}

void GUI_Manager::remove(GUI_Component* component) {
  std::erase(components_, component);
}

GUI_Component* GUI_Manager::find(const std::string& id) const {
  for (GUI_Component* component : components_) {
    if (component->id() == id) return component;
  }
  return nullptr;
}

void GUI_Manager::addListener(GUI_Listener* listener) {
  listeners_.push_back(listener);
}

// Insertion sort: stable, in place, and linear on the usual already-sorted list.
void GUI_Manager::sortByLayer() {
  for (std::size_t i = 1; i < components_.size(); ++i) {
    GUI_Component* moving = components_[i];
    const int z = moving->getZ();
    std::size_t j = i;
    while (j > 0 && components_[j - 1]->getZ() < z) {
      components_[j] = components_[j - 1];
      --j;
    }
    components_[j] = moving;
  }
}

void GUI_Manager::update(const platform::Input& input) {
  sortByLayer();

  std::string captured;
  for (GUI_Component* component : components_) {
    if (captured.empty()) {
      captured = component->process(input, true);
    } else {
      component->process(input, false);
    }
  }

  if (!captured.empty()) {
    const bool released = buttonWasDown_ && !input.down(platform::button::kMouseLeft);
    // By index: a listener may register another one while being told.
    for (std::size_t i = 0; i < listeners_.size(); ++i) {
      listeners_[i]->onHover(captured);
      if (released) listeners_[i]->onClick(captured);
    }
  }
  buttonWasDown_ = input.down(platform::button::kMouseLeft);
}

}  // namespace gui
