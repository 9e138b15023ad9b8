#pragma once
#include <functional>
#include <string>

#include "editor/Viewport.h"
#include "gui/GUI_Component.h"

namespace editor {

// The canvas as a widget of the GUI pass: it draws the track and works the mouse in its turn,
// below every panel and menu, so the pointer reaches it only where nothing else has it. Takes
// the mouse (reports its id) while the pointer is over the canvas.
class CanvasWidget : public gui::GUI_Component {
 public:
  static constexpr const char* kId = "canvas";
  static constexpr int kLayer = 5;

  // `frame` draws and handles one frame of input; its flag says whether the pointer is free
  // for the canvas.
  CanvasWidget(const Viewport& view, std::function<void(const platform::Input&, bool)> frame)
      : gui::GUI_Component(kId), view_(view), frame_(std::move(frame)) {}

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return kLayer; }

 private:
  const Viewport& view_;
  std::function<void(const platform::Input&, bool)> frame_;
};

}  // namespace editor
