#pragma once
#include <string>

namespace gui {

// Receives the commands of a GUI_Manager. The id is passed by value, so a listener may destroy
// the widget that fired it.
class GUI_Listener {
 public:
  virtual ~GUI_Listener() = default;
  // The left button was released while widget `id` had the mouse.
  virtual void onClick(std::string id) = 0;
  // Some widget had the mouse in this frame; called before onClick of the same frame.
  virtual void onHover(std::string id) = 0;
};

}  // namespace gui
