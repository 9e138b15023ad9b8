#pragma once
#include "gui/FieldFrame.h"
#include "gui/GUI_Component.h"

namespace gui {

// A screen backdrop in the plain-background frame ("bg.png"). Never takes the mouse.
class GUI_Component_Background : public GUI_Component {
 public:
  // Covers (x, y) to (x2, y2) on layer z.
  GUI_Component_Background(std::string id, int z, int x, int y, int x2, int y2);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return frame_.z(); }
  const FieldFrame& frame() const { return frame_; }

 private:
  FieldFrame frame_;
};

}  // namespace gui
