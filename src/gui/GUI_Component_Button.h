#pragma once
#include <string>

#include "gui/ButtonSkin.h"
#include "gui/GUI_Component.h"

namespace gui {

// A skinned push button. Its command fires when the left button is released over it.
class GUI_Component_Button : public GUI_Component {
 public:
  // Loads the skin; nothing is placed until place() is called.
  GUI_Component_Button(std::string id, std::wstring caption);

  // maxWidth -1: as wide as the caption needs; otherwise exactly maxWidth pixels (e.g. 100),
  // the caption shortened with ".." to fit.
  void place(int z, int x, int y, int maxWidth);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return skin_.z(); }

  const std::wstring& caption() const { return caption_; }
  ButtonSkin& skin() { return skin_; }
  const ButtonSkin& skin() const { return skin_; }

 private:
  ButtonSkin skin_;
  std::wstring caption_;
};

}  // namespace gui
