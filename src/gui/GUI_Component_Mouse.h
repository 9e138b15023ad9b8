#pragma once
#include "gui/Fade.h"
#include "gui/GUI_Component.h"
#include "gui/Sprite.h"

namespace gui {

// The mouse pointer picture ("mouse_pointer.png"). Never takes the mouse; show/hide fade it.
// Give it the highest layer of the screen (1000) so it is drawn above everything.
class GUI_Component_Mouse : public GUI_Component {
 public:
  // visible: false starts it hidden (a race's pointer shows only once the mouse moves).
  GUI_Component_Mouse(std::string id, int z, bool visible = true);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  void show() override { fade_.show(); }
  void hide() override { fade_.hide(); }
  int getZ() const override { return pointer_.z; }

  const Fade& fade() const { return fade_; }
  const Sprite& pointer() const { return pointer_; }

 private:
  Sprite pointer_;
  Fade fade_;
};

}  // namespace gui
