#include "gui/GUI_Component_Background.h"

namespace gui {

GUI_Component_Background::GUI_Component_Background(std::string id, int z, int x, int y, int x2,
                                                   int y2, FieldFrameKind kind)
    : GUI_Component(std::move(id)), frame_(kind) {
  // The frame's own spacing would push it past (x2, y2).
  frame_.layout(z, x, x, y, y, x2 - frame_.spacing().right, y2 - frame_.spacing().bottom);
}

std::string GUI_Component_Background::process(const platform::Input& /*input*/,
                                              bool /*mayTakeMouse*/) {
  if (visible_) frame_.draw();
  return {};
}

}  // namespace gui
