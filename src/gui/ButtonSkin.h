#pragma once
#include <array>
#include <string>

#include "gui/FieldFrame.h"
#include "gui/Sprite.h"
#include "platform/Color.h"

namespace platform {
class Font;
class Input;
}  // namespace platform

namespace gui {

// The nine-piece button frame around a caption, in three looks: up, over (hovered) and down
// (hovered with the left button held). Made of the 27 pictures "btn_<piece>_<look>.png".
class ButtonSkin {
 public:
  enum class Look { Up, Over, Down };
  enum Slot { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left, Fill };
  // Room between the frame and the caption.
  static constexpr Insets kSpacing{4, 10, 10, 4};

  // Loads the pictures and the caption font (the UI font, 17 pixels) through the caches.
  ButtonSkin();

  // maxWidth -1: just wide enough for the caption. Otherwise exactly maxWidth wide, with the
  // caption shortened to fit (ending in "..") and centred.
  void layout(int z, int x, int y, const std::wstring& caption, int maxWidth);
  // Draws the look that fits the pointer and the left button; returns whether it is hovered
  // (strictly inside the rectangle).
  bool draw(const platform::Input& input, bool mayTakeMouse) const;

  // The look the button shows for this pointer and button state.
  Look lookFor(const platform::Input& input, bool mayTakeMouse) const;
  bool hovers(const platform::Input& input, bool mayTakeMouse) const;

  int left() const { return left_; }
  int top() const { return top_; }
  int right() const { return right_; }
  int bottom() const { return bottom_; }
  int z() const { return z_; }
  // The caption as drawn (possibly shortened) and its offset from the left spacing.
  const std::wstring& caption() const { return caption_; }
  int textOffset() const { return textOffset_; }
  const Sprite& piece(Look look, Slot slot) const {
    return looks_[static_cast<std::size_t>(look)].pieces[slot];
  }

 private:
  struct LookPieces {
    std::array<Sprite, 9> pieces;
    platform::Color textColour = platform::kWhite;
  };

  std::array<LookPieces, 3> looks_;
  const platform::Font& font_;
  std::wstring caption_;
  int textOffset_ = 0;
  int z_ = 1;
  int left_ = 0;
  int top_ = 0;
  int right_ = 0;
  int bottom_ = 0;
};

}  // namespace gui
