#include "gui/GUI_Component_Background.h"

namespace gui {

GUI_Component_Background::GUI_Component_Background(std::string id, int z, int x, int y, int x2,
                                                   int y2)
    : GUI_Component(std::move(id)), frame_(FieldFrameKind::PlainBackground) {
  frame_.layout(z, x, x, y, y, x2, y2);
}

std::string GUI_Component_Background::process(const platform::Input& /*input*/,
                                              bool /*mayTakeMouse*/) {
  if (visible_) frame_.draw();
  return {};
}

}  // namespace gui
