#pragma once
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gui/FieldFrame.h"
#include "gui/GUI_Component.h"
#include "gui/GUI_Component_ListBoxItem.h"
#include "gui/ScrollBar.h"

namespace gui {

// A framed table: an optional title row and any number of rows, of which `visibleRows` are shown
// from `firstVisible` on. A list longer than it shows has a scroll bar at its right edge (drag or
// click it); the mouse wheel scrolls it by kWheelRows and Page Up / Page Down by a page less one
// row. A row under the pointer reports its own id.
class GUI_Component_ListBox : public GUI_Component {
 public:
  // Rows per notch of the mouse wheel.
  static constexpr int kWheelRows = 3;

  // columnStarts[i] is where column i ends and column i + 1 begins, in pixels after the row's
  // text origin (e.g. {50, 380, 768} for three columns). Throws std::invalid_argument when it
  // has fewer than `columnCount` entries.
  GUI_Component_ListBox(std::string id, int columnCount, std::vector<int> columnStarts);
  ~GUI_Component_ListBox() override;

  // Another look for the frame (the screens use FieldFrameKind::List); call before layout().
  void setFrameKind(FieldFrameKind kind);

  // One text per column; missing cells count as empty. Drawn on "main_field_fill.png".
  void setTitle(std::vector<std::wstring> cells);
  // Appends a row; rows alternate between "list_oddfield.png" (first, third …) and
  // "list_evenfield.png". Several rows may share an id.
  GUI_Component_ListBoxItem& addRow(std::string id, std::vector<std::wstring> cells);
  // The full texts of the first row with this id, or null.
  const std::vector<std::wstring>* cellsOf(const std::string& id) const;

  // Shows the rows from n on, limited to 0 … rowCount − visibleRows; a list that fits
  // entirely does not move.
  void scrollTo(int n);
  // The frame's top-left corner at (x, y), `height` pixels tall; rows one under the other.
  void layout(int z, int x, int y, int height);

  std::string process(const platform::Input& input, bool mayTakeMouse) override;
  int getZ() const override { return frame_.z(); }

  int firstVisible() const { return firstVisible_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }
  // Rows that fit below the title (from the last layout; 0 before).
  int visibleRows() const { return visibleRows_; }
  // Pixels from one row's top to the next one's (24 with the 17-pixel font).
  int rowHeight() const { return rowHeight_; }
  int columnCount() const { return static_cast<int>(columnStarts_.size()); }

  GUI_Component_ListBoxItem* title() { return title_.get(); }
  GUI_Component_ListBoxItem& row(int index) { return *rows_.at(static_cast<std::size_t>(index)); }
  const FieldFrame& frame() const { return frame_; }
  const ScrollBar& scrollBar() const { return scrollBar_; }
  // Whether the list holds more rows than it shows (and so has a scroll bar).
  bool scrolls() const { return rowCount() > visibleRows_; }
  // Rows Page Up and Page Down move: a page less one row, so one row stays in view.
  int pageRows() const { return std::max(1, visibleRows_ - 1); }

 private:
  int clampFirst(int n) const;
  // The wheel, the page keys and the scroll bar; true while the pointer is on the bar.
  bool scrollWith(const platform::Input& input);

  // Declared first: the rows keep a reference to it.
  std::vector<int> columnStarts_;
  FieldFrame frame_;
  std::unique_ptr<GUI_Component_ListBoxItem> title_;
  std::vector<std::unique_ptr<GUI_Component_ListBoxItem>> rows_;
  ScrollBar scrollBar_;
  int rowHeight_ = 0;
  int firstVisible_ = 0;
  int visibleRows_ = 0;
  // A page key moves once per press; a drag is one that began on the bar.
  bool pageUpHeld_ = false;
  bool pageDownHeld_ = false;
  bool mouseHeld_ = false;
  bool dragging_ = false;
};

}  // namespace gui
