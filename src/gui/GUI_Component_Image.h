#pragma once
#include "gui/Fade.h"
#include "gui/GUI_Component.h"
#include "gui/Sprite.h"

namespace gui {

// A picture that takes the mouse in every frame, wherever the pointer is: nothing on a lower
// layer can be hovered or clicked while it is in the manager (full-screen backdrops of popups).
// show/hide fade it in and out; it is drawn even when fully faded.
class GUI_Component_Image : public GUI_Component {
 public:
  // `fileName` is a full path. The picture is stretched to width × height pixels.
  GUI_Component_Image(std::string id, const std::string& fileName, int z, int x, int y, int width,
                      int height, bool visible);
  // At the picture's natural size.
  GUI_Component_Image(std::string id, const std::string& fileName, int z, int x, int y,
                      bool visible);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  void show() override { fade_.show(); }
  void hide() override { fade_.hide(); }
  int getZ() const override { return picture_.z; }

  // Alpha levels per frame (1..255; 10 by default).
  void setFadeStep(int step) { fade_.setStep(step); }
  void setPosition(int x, int y) {
    picture_.x = x;
    picture_.y = y;
  }
  const Fade& fade() const { return fade_; }
  const Sprite& picture() const { return picture_; }

 private:
  Sprite picture_;
  Fade fade_;
};

}  // namespace gui
