#include "editor/CanvasWidget.h"

#include "platform/Input.h"

namespace editor {

std::string CanvasWidget::process(const platform::Input& input, bool mayTakeMouse) {
  frame_(input, mayTakeMouse);
  return mayTakeMouse && view_.contains(input.mouseX(), input.mouseY()) ? id() : std::string();
}

}  // namespace editor
