#pragma once
#include <string>
#include <vector>

#include "gui/Sprite.h"

namespace platform {
class Font;
class Input;
}  // namespace platform

namespace gui {

// The look of one list row: a background picture (normal, hovered, pressed) stretched under the
// row's cells, each cell drawn white with a black shadow in its column.
class RowSkin {
 public:
  // `columnStarts` belongs to the list box and outlives the row: entry i is where column i ends
  // (and column i + 1 begins), in pixels after the row's text origin. `normalPicture` is the
  // file name below images/gui.
  RowSkin(const std::string& normalPicture, const std::vector<int>& columnStarts);

  // Places the row with its top-left corner at (x, y) on layer z.
  void layout(int z, int x, int y);
  // Replaces the texts; a missing cell counts as empty, extra cells are ignored.
  void setCells(std::vector<std::wstring> cells);
  // Draws the row shifted by the scroll offset; returns whether it is hovered.
  bool draw(const platform::Input& input, bool mayTakeMouse) const;
  bool hovers(const platform::Input& input, bool mayTakeMouse) const;

  void setScrollOffset(int offset) { scrollOffset_ = offset; }

  // The full texts, as given.
  const std::vector<std::wstring>& cells() const { return cells_; }
  // The texts as drawn: each shortened with ".." to fit its column.
  const std::vector<std::wstring>& shownCells() const { return shown_; }

  int left() const { return left_; }
  int top() const { return top_; }
  int right() const { return right_; }
  int bottom() const { return bottom_; }
  int z() const { return z_; }

  // Pixel width of a row's picture for these columns (the end of the last column + 6).
  static int pictureWidth(const std::vector<int>& columnStarts);
  // Pixel height a laid-out row takes (the font's height + 7: 24 for 17-pixel text).
  int height() const;

  static constexpr int kSpacing = 3;
  static constexpr int kCellMargin = 8;

 private:
  int columnStart(std::size_t column) const;
  void fitCells();

  Sprite normal_;
  Sprite over_;
  Sprite down_;
  const std::vector<int>& columnStarts_;
  const platform::Font& font_;
  std::vector<std::wstring> cells_;
  std::vector<std::wstring> shown_;
  int left_ = 0;
  int top_ = 0;
  int right_ = 0;
  int bottom_ = 0;
  int z_ = 1;
  int scrollOffset_ = 0;
};

}  // namespace gui
