#pragma once
#include <string>
#include <vector>

#include "gui/GUI_Component.h"
#include "gui/GUI_Listener.h"

namespace platform {
class Graphics;
class Input;
}  // namespace platform

namespace gui {

// The per-frame widget pass: draws every widget, gives the mouse to the topmost widget that
// claims it and reports a release over it to the listeners. Holds plain pointers only: the
// screens own their widgets and remove them before destroying them.
class GUI_Manager {
 public:
  // Also installs `graphics` in the image and font caches, so widgets can be built from now on.
  explicit GUI_Manager(platform::Graphics& graphics);
  GUI_Manager(const GUI_Manager&) = delete;
  GUI_Manager& operator=(const GUI_Manager&) = delete;

  // The same widget added twice takes part twice.
  void add(GUI_Component* component);
  // Removes every entry of `component`; the widget itself is untouched.
  void remove(GUI_Component* component);
  // Removes every widget (a screen change).
  void clear() { components_.clear(); }
  // The first widget in the current order with exactly this id, or null.
  GUI_Component* find(const std::string& id) const;
  void addListener(GUI_Listener* listener);

  // Once per frame, from the owner's draw callback.
  void update(const platform::Input& input);

  // In the order of the last mouse pass (highest layer first).
  const std::vector<GUI_Component*>& components() const { return components_; }
  platform::Graphics& graphics() const { return graphics_; }

 private:
  void sortByLayer();

  platform::Graphics& graphics_;
  std::vector<GUI_Component*> components_;
  std::vector<GUI_Listener*> listeners_;
  bool buttonWasDown_ = false;
};

}  // namespace gui
