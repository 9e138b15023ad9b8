#include "gui/ButtonSkin.h"

#include "common/Rect.h"
#include "gui/FontCache.h"
#include "gui/TextFit.h"
#include "gui/UiFont.h"
#include "platform/Font.h"
#include "platform/Input.h"

namespace gui {

ButtonSkin::ButtonSkin() : font_(FontCache::get(gui::kFontFamily, 17)) {
  static constexpr std::array<const char*, 9> kPieces = {"_tl", "_t",  "_tr", "_r", "_br",
                                                         "_b",  "_bl", "_l",  "_f"};
  static constexpr std::array<const char*, 3> kLooks = {"_up.png", "_over.png", "_down.png"};
  for (std::size_t look = 0; look < looks_.size(); ++look) {
    for (std::size_t slot = 0; slot < kPieces.size(); ++slot) {
      looks_[look].pieces[slot] =
          Sprite(guiImagePath(std::string("btn") + kPieces[slot] + kLooks[look]));
    }
  }
}

void ButtonSkin::layout(int z, int x, int y, const std::wstring& caption, int maxWidth) {
  z_ = z;
  caption_ = caption;
  textOffset_ = 0;

  // Every look has pictures of the same sizes; the up look stands for all three.
  const std::array<Sprite, 9>& up = looks_[0].pieces;
  const int fillHeight = font_.height() + kSpacing.top + kSpacing.bottom - up[TopLeft].height() -
                         up[BottomLeft].height();
  int fillWidth = 0;
  if (maxWidth == -1) {
    fillWidth = static_cast<int>(font_.textWidth(caption_) + kSpacing.left + kSpacing.right -
                                 up[TopLeft].width() - up[TopRight].width());
  } else {
    fillWidth = maxWidth - up[TopLeft].width() - up[TopRight].width();
    const int available = maxWidth - kSpacing.left - kSpacing.right;
    caption_ = fitText(font_, caption_, available);
    textOffset_ = static_cast<int>((available - font_.textWidth(caption_)) * 0.5);
  }

  const int middleY = y + up[TopLeft].height();
  const int bottomY = middleY + fillHeight;
  const int middleX = x + up[TopLeft].width();
  const int rightX = middleX + fillWidth;

  for (LookPieces& look : looks_) {
    auto& p = look.pieces;
    for (Sprite& sprite : p) {
      sprite.z = z;
      sprite.scaleX = 1.0;
      sprite.scaleY = 1.0;
    }
    p[TopLeft].y = p[Top].y = p[TopRight].y = y;
    p[Left].y = p[Fill].y = p[Right].y = middleY;
    p[BottomLeft].y = p[Bottom].y = p[BottomRight].y = bottomY;
    p[TopLeft].x = p[Left].x = p[BottomLeft].x = x;
    p[Top].x = p[Fill].x = p[Bottom].x = middleX;
    p[TopRight].x = p[Right].x = p[BottomRight].x = rightX;
    p[Top].stretchWidth(fillWidth);
    p[Bottom].stretchWidth(fillWidth);
    p[Left].stretchHeight(fillHeight);
    p[Right].stretchHeight(fillHeight);
    p[Fill].stretchTo(fillWidth, fillHeight);
  }

  left_ = x;
  top_ = y;
  right_ = rightX + up[BottomRight].width();
  bottom_ = bottomY + up[BottomRight].height();
}

bool ButtonSkin::hovers(const platform::Input& input, bool mayTakeMouse) const {
  if (!mayTakeMouse) return false;
  const int mouseX = static_cast<int>(input.mouseX());
  const int mouseY = static_cast<int>(input.mouseY());
  return common::Rect{left_, top_, right_, bottom_}.strictlyContains(mouseX, mouseY);
}

ButtonSkin::Look ButtonSkin::lookFor(const platform::Input& input, bool mayTakeMouse) const {
  if (!hovers(input, mayTakeMouse)) return Look::Up;
  return input.down(platform::button::kMouseLeft) ? Look::Down : Look::Over;
}

bool ButtonSkin::draw(const platform::Input& input, bool mayTakeMouse) const {
  const Look look = lookFor(input, mayTakeMouse);
  const LookPieces& pieces = looks_[static_cast<std::size_t>(look)];
  for (const Sprite& sprite : pieces.pieces) sprite.draw();
  const int textX = left_ + kSpacing.left + textOffset_;
  const int textY = top_ + kSpacing.top;
  font_.draw(caption_, textX + 1, textY + 1, z_, 1.0, 1.0, platform::kBlack);
  font_.draw(caption_, textX, textY, z_, 1.0, 1.0, pieces.textColour);
  return look != Look::Up;
}

}  // namespace gui
