#pragma once
#include "gui/GUI_Component.h"
#include "platform/Color.h"

namespace platform {
class Font;
}

namespace gui {

// A line of text, optionally with a shadow one pixel right and down. Never takes the mouse.
class GUI_Component_Label : public GUI_Component {
 public:
  // `fontName` e.g. gui::kFontFamily, `fontHeight` in pixels (16..20 in the menus); (x, y) is the
  // text's top-left corner.
  GUI_Component_Label(std::string id, std::wstring text, const std::string& fontName,
                      int fontHeight, int x, int y, int z, bool shadow = true);
  GUI_Component_Label(std::string id, std::wstring text, const std::wstring& fontName,
                      int fontHeight, int x, int y, int z, bool shadow = true);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return z_; }

  void setText(std::wstring text);
  void setColour(platform::Color colour) { colour_ = colour; }
  void setShadowColour(platform::Color colour) { shadowColour_ = colour; }
  // A filled box behind the text, `padding` pixels (4..8) wider on every side, so the text reads
  // on whatever lies below; none (the default) while its colour is fully transparent or the
  // text is empty.
  void setBacking(platform::Color colour, int padding) {
    backing_ = colour;
    backingPadding_ = padding;
  }

  const std::wstring& text() const { return text_; }
  platform::Color colour() const { return colour_; }
  platform::Color shadowColour() const { return shadowColour_; }
  int x() const { return x_; }
  int y() const { return y_; }
  // x + the text's width.
  int right() const { return right_; }
  // y + the font's height.
  int bottom() const { return bottom_; }

 private:
  const platform::Font& font_;
  std::wstring text_;
  int x_;
  int y_;
  int z_;
  int right_ = 0;
  int bottom_ = 0;
  platform::Color colour_ = platform::kWhite;
  platform::Color shadowColour_ = platform::kBlack;
  platform::Color backing_ = 0;
  int backingPadding_ = 0;
  bool shadow_;
};

}  // namespace gui
