#pragma once
#include "gui/GUI_Component.h"
#include "platform/Color.h"

namespace gui {

// A plain coloured rectangle: a colour to choose from a palette, or a mark under a chosen
// button. A clickable swatch takes the mouse and shows a thin outline while hovered; a
// selected one carries a white frame.
class GUI_Component_Swatch : public GUI_Component {
 public:
  // Pixels: top-left (x, y), width and height (e.g. 28 × 28).
  GUI_Component_Swatch(std::string id, int z, int x, int y, int width, int height,
                       platform::Color colour, bool clickable);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return z_; }

  void setColour(platform::Color colour) { colour_ = colour; }
  platform::Color colour() const { return colour_; }
  void setSelected(bool selected) { selected_ = selected; }
  bool selected() const { return selected_; }
  int left() const { return x_; }
  int top() const { return y_; }
  int right() const { return x_ + width_; }
  int bottom() const { return y_ + height_; }
  void moveTo(int x, int y) {
    x_ = x;
    y_ = y;
  }

 private:
  void drawOutline(int thickness, platform::Color colour) const;

  int z_;
  int x_;
  int y_;
  int width_;
  int height_;
  platform::Color colour_;
  bool clickable_;
  bool selected_ = false;
};

}  // namespace gui
