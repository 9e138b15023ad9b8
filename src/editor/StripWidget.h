#pragma once
#include <string>

#include "gui/GUI_Component.h"
#include "platform/Color.h"

namespace platform {
class Graphics;
}

namespace editor {

// A plain bar of one colour with a thin line along its top, like the game's menu bar: the
// editor's status line stands on one. Never takes the mouse.
class StripWidget : public gui::GUI_Component {
 public:
  // (left, top)-(right, bottom) in window pixels on layer z.
  StripWidget(std::string id, platform::Graphics& graphics, int z, int left, int top, int right,
              int bottom);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return z_; }

 private:
  platform::Graphics& graphics_;
  int z_;
  int left_;
  int top_;
  int right_;
  int bottom_;
};

}  // namespace editor
