#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gui/GUI_Component.h"
#include "gui/GUI_Manager.h"

namespace app {

// The widgets of the menu screens. The GUI manager only points to widgets, so this is where
// they live: adding one here also adds it to the manager, and taking one out of the manager
// through here frees it, which keeps the two lists in step.
class ScreenWidgets {
 public:
  explicit ScreenWidgets(gui::GUI_Manager& gui) : gui_(gui) {}
  ScreenWidgets(const ScreenWidgets&) = delete;
  ScreenWidgets& operator=(const ScreenWidgets&) = delete;

  // Takes ownership, adds the widget to the manager and returns it for further set-up.
  template <class Widget>
  Widget* add(std::unique_ptr<Widget> widget) {
    Widget* raw = widget.get();
    owned_.push_back(std::move(widget));
    gui_.add(raw);
    return raw;
  }

  // Removes the widget from the manager and frees it. Widgets not owned here are only removed.
  void destroy(gui::GUI_Component* widget);
  // Removes and frees the first widget of the manager with this id; false when there is none.
  bool destroyById(const std::string& id);
  // A screen change: every widget leaves the manager and is freed.
  void clear();

  gui::GUI_Component* find(const std::string& id) const { return gui_.find(id); }
  gui::GUI_Manager& gui() { return gui_; }
  std::size_t ownedCount() const { return owned_.size(); }

 private:
  gui::GUI_Manager& gui_;
  std::vector<std::unique_ptr<gui::GUI_Component>> owned_;
};

}  // namespace app
