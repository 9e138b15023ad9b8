#include "gui/MenuItemSkin.h"

#include "common/Rect.h"
#include "gui/FontCache.h"
#include "gui/UiFont.h"
#include "platform/Font.h"
#include "platform/Input.h"

namespace gui {

MenuItemSkin::MenuItemSkin(bool subSkin)
    : subSkin_(subSkin),
      font_(FontCache::get(gui::kFontFamily, 17)),
      // Drop-down entries keep clear of the drop-down frame's right border.
      spacing_(subSkin ? Insets{3, 10, 18, 3} : Insets{3, 12, 12, 3}) {
  const std::string prefix = subSkin ? "sub_btn_" : "main_btn_";
  static constexpr std::array<const char*, 3> kPieces = {"left", "fill", "right"};
  for (std::size_t i = 0; i < kPieces.size(); ++i) {
    normal_[i] = Sprite(guiImagePath(prefix + kPieces[i] + ".png"));
    pressed_[i] = Sprite(guiImagePath(prefix + kPieces[i] + "_down.png"));
  }
}

int MenuItemSkin::naturalWidth(const std::wstring& caption) const {
  return static_cast<int>(font_.textWidth(caption)) + spacing_.left + spacing_.right;
}

void MenuItemSkin::placePieces(std::array<Sprite, 3>& pieces, int z, int x, int y, int width,
                               int height) {
  Sprite& left = pieces[Left];
  Sprite& fill = pieces[Fill];
  Sprite& right = pieces[Right];
  left.x = x;
  fill.x = x + left.width();
  right.x = x + width - right.width();
  for (Sprite* piece : {&left, &fill, &right}) {
    piece->y = y;
    piece->z = z;
    piece->stretchHeight(height);
  }
  fill.stretchWidth(width - left.width() - right.width());
}

void MenuItemSkin::layout(int z, int x, int y, int width, const std::wstring& caption) {
  z_ = z;
  caption_ = caption;
  const int height = font_.height() + spacing_.top + spacing_.bottom;
  placePieces(normal_, z, x, y, width, height);
  placePieces(pressed_, z, x, y, width, height);
  left_ = x;
  top_ = y;
  right_ = x + width;
  bottom_ = y + height;
}

bool MenuItemSkin::hovers(const platform::Input& input, bool mayTakeMouse) const {
  if (!mayTakeMouse) return false;
  const int mouseX = static_cast<int>(input.mouseX());
  const int mouseY = static_cast<int>(input.mouseY());
  return common::Rect{left_, top_, right_, bottom_}.strictlyContains(mouseX, mouseY);
}

bool MenuItemSkin::draw(const platform::Input& input, bool open, bool mayTakeMouse) const {
  const bool hovered = hovers(input, mayTakeMouse);
  // A held button shows the pressed highlight even over an open entry.
  if (hovered && input.down(platform::button::kMouseLeft)) {
    for (const Sprite& piece : pressed_) piece.draw();
  } else if (hovered || open) {
    for (const Sprite& piece : normal_) piece.draw();
  }
  const int textX = left_ + spacing_.left;
  const int textY = top_ + spacing_.top;
  font_.draw(caption_, textX + 1, textY + 1, z_, 1.0, 1.0, platform::kBlack);
  font_.draw(caption_, textX, textY, z_, 1.0, 1.0, platform::kWhite);
  return hovered;
}

}  // namespace gui
