#include "gui/RowSkin.h"

#include "common/Rect.h"
#include "gui/FontCache.h"
#include "gui/TextFit.h"
#include "gui/UiFont.h"
#include "platform/Font.h"
#include "platform/Input.h"

namespace gui {

RowSkin::RowSkin(const std::string& normalPicture, const std::vector<int>& columnStarts)
    : normal_(guiImagePath(normalPicture)),
      over_(guiImagePath("list_over.png")),
      down_(guiImagePath("list_down.png")),
      columnStarts_(columnStarts),
      font_(FontCache::get(gui::kFontFamily, 17)) {
  cells_.resize(columnStarts_.size());
  shown_.resize(columnStarts_.size());
}

int RowSkin::pictureWidth(const std::vector<int>& columnStarts) {
  return (columnStarts.empty() ? 0 : columnStarts.back()) + 2 * kSpacing;
}

int RowSkin::height() const {
  return 1 + font_.height() + 2 * kSpacing;
}

int RowSkin::columnStart(std::size_t column) const {
  return column == 0 ? 0 : columnStarts_[column - 1];
}

void RowSkin::layout(int z, int x, int y) {
  z_ = z;
  const int w = pictureWidth(columnStarts_);
  const int h = font_.height() + 2 * kSpacing;
  for (Sprite* sprite : {&normal_, &over_, &down_}) {
    // One pixel in from the row's corner, so neighbouring rows show a hairline between them.
    sprite->x = x + 1;
    sprite->y = y + 1;
    sprite->z = z;
    sprite->stretchTo(w, h);
  }
  left_ = x;
  top_ = y;
  right_ = x + 2 + w;
  bottom_ = y + 1 + h;
  fitCells();
}

void RowSkin::setCells(std::vector<std::wstring> cells) {
  cells.resize(columnStarts_.size());
  cells_ = std::move(cells);
  fitCells();
}

void RowSkin::fitCells() {
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    const int width = columnStarts_[i] - kCellMargin - columnStart(i);
    shown_[i] = fitText(font_, cells_[i], width);
  }
}

bool RowSkin::hovers(const platform::Input& input, bool mayTakeMouse) const {
  if (!mayTakeMouse) return false;
  const int mouseX = static_cast<int>(input.mouseX());
  const int mouseY = static_cast<int>(input.mouseY());
  return common::Rect{left_, top_ + scrollOffset_, right_, bottom_ + scrollOffset_}
      .strictlyContains(mouseX, mouseY);
}

bool RowSkin::draw(const platform::Input& input, bool mayTakeMouse) const {
  const bool hovered = hovers(input, mayTakeMouse);
  const Sprite& background = !hovered                                   ? normal_
                             : input.down(platform::button::kMouseLeft) ? down_
                                                                        : over_;
  background.draw(platform::kWhite, 0, scrollOffset_);
  const int textY = top_ + scrollOffset_ + kSpacing;
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    const int textX = left_ + kSpacing + columnStart(i) + 1;
    font_.draw(shown_[i], textX + 1, textY + 1, z_, 1.0, 1.0, platform::kBlack);
    font_.draw(shown_[i], textX, textY, z_, 1.0, 1.0, platform::kWhite);
  }
  return hovered;
}

}  // namespace gui
