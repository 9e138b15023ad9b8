#pragma once
#include <array>
#include <string>

#include "gui/FieldFrame.h"
#include "gui/Sprite.h"

namespace platform {
class Font;
class Input;
}  // namespace platform

namespace gui {

// The look of a menu entry: its caption, and a three-piece highlight (left end, stretched
// middle, right end) shown while the entry is hovered or its drop-down is open. The main skin
// ("main_btn_*") is for menu bars, the sub skin ("sub_btn_*") for drop-downs.
class MenuItemSkin {
 public:
  explicit MenuItemSkin(bool subSkin);

  // Width the entry needs for `caption`: the text plus the spacings.
  int naturalWidth(const std::wstring& caption) const;
  // Places the entry with its top-left corner at (x, y), `width` pixels wide (at least
  // naturalWidth for the caption to fit), on layer z.
  void layout(int z, int x, int y, int width, const std::wstring& caption);
  // Returns whether the entry is hovered.
  bool draw(const platform::Input& input, bool open, bool mayTakeMouse) const;
  bool hovers(const platform::Input& input, bool mayTakeMouse) const;

  bool subSkin() const { return subSkin_; }
  const Insets& spacing() const { return spacing_; }
  int left() const { return left_; }
  int top() const { return top_; }
  int right() const { return right_; }
  int bottom() const { return bottom_; }
  int z() const { return z_; }

  enum Piece { Left, Fill, Right };

 private:
  static void placePieces(std::array<Sprite, 3>& pieces, int z, int x, int y, int width,
                          int height);

  bool subSkin_;
  std::array<Sprite, 3> normal_;
  std::array<Sprite, 3> pressed_;
  const platform::Font& font_;
  Insets spacing_;
  std::wstring caption_;
  int left_ = 0;
  int top_ = 0;
  int right_ = 0;
  int bottom_ = 0;
  int z_ = 1;
};

}  // namespace gui
