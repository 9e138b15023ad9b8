#pragma once
#include <string>
#include <utility>

namespace platform {
class Input;
}

namespace gui {

// The base of every widget. A widget draws itself once per frame from process() and reports
// its id when it takes the mouse; that id is the only command the toolkit knows.
class GUI_Component {
 public:
  explicit GUI_Component(std::string id) : id_(std::move(id)) {}
  virtual ~GUI_Component() = default;
  GUI_Component(const GUI_Component&) = delete;
  GUI_Component& operator=(const GUI_Component&) = delete;

  // Queues this frame's drawing and returns the id if the widget takes the mouse now, else "".
  // With mayTakeMouse false something higher already has the mouse: the widget draws its idle
  // look and returns "".
  virtual std::string process(const platform::Input& input, bool mayTakeMouse) = 0;
  virtual void show() { visible_ = true; }
  virtual void hide() { visible_ = false; }
  // The layer; higher layers get the mouse first.
  virtual int getZ() const = 0;

  const std::string& id() const { return id_; }
  bool visible() const { return visible_; }

 protected:
  bool visible_ = true;

 private:
  std::string id_;
};

}  // namespace gui
