#include "gui/GUI_Component_ListBox.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Input.h"

namespace gui {

namespace {
std::vector<int> checkedColumns(int columnCount, std::vector<int> columnStarts) {
  if (columnCount < 1 || columnStarts.size() < static_cast<std::size_t>(columnCount)) {
    throw std::invalid_argument("a list box needs one column start per column");
  }
  columnStarts.resize(static_cast<std::size_t>(columnCount));
  return columnStarts;
}
}  // namespace

GUI_Component_ListBox::GUI_Component_ListBox(std::string id, int columnCount,
                                             std::vector<int> columnStarts)
    : GUI_Component(std::move(id)),
      columnStarts_(checkedColumns(columnCount, std::move(columnStarts))),
      frame_(FieldFrameKind::Main) {}

GUI_Component_ListBox::~GUI_Component_ListBox() = default;

void GUI_Component_ListBox::setFrameKind(FieldFrameKind kind) {
  frame_ = FieldFrame(kind);
}

void GUI_Component_ListBox::setTitle(std::vector<std::wstring> cells) {
  title_ = std::make_unique<GUI_Component_ListBoxItem>("titlerow", "main_field_fill.png",
                                                       columnStarts_, std::move(cells));
}

GUI_Component_ListBoxItem& GUI_Component_ListBox::addRow(std::string id,
                                                         std::vector<std::wstring> cells) {
  const char* picture = rows_.size() % 2 == 0 ? "list_oddfield.png" : "list_evenfield.png";
  rows_.push_back(std::make_unique<GUI_Component_ListBoxItem>(std::move(id), picture, columnStarts_,
                                                              std::move(cells)));
  return *rows_.back();
}

const std::vector<std::wstring>* GUI_Component_ListBox::cellsOf(const std::string& id) const {
  for (const auto& row : rows_) {
    if (row->id() == id) return &row->cells();
  }
  return nullptr;
}

int GUI_Component_ListBox::clampFirst(int n) const {
  return std::clamp(n, 0, rowCount() - visibleRows_);
}

void GUI_Component_ListBox::scrollTo(int n) {
  if (rowCount() < visibleRows_) return;
  firstVisible_ = clampFirst(n);
}

void GUI_Component_ListBox::layout(int z, int x, int y, int height) {
  const Insets& margin = frame_.margin();
  const Insets& spacing = frame_.spacing();
  const int originX = x + margin.left + spacing.left;
  int rowY = y + margin.top + spacing.top;
  int available = height - spacing.bottom - margin.bottom - margin.top - spacing.top;

  if (title_) {
    title_->skin().layout(z, originX, rowY);
    const int titleHeight = title_->skin().bottom() - title_->skin().top();
    available -= titleHeight;
    rowY += titleHeight;
  }

  // Taken from the skin geometry rather than from a row, so an empty list still knows how many
  // rows would fit (and never divides by zero).
  RowSkin probe("list_oddfield.png", columnStarts_);
  probe.layout(z, originX, rowY);
  rowHeight_ = probe.bottom() - probe.top();
  for (auto& row : rows_) {
    row->skin().layout(z, originX, rowY);
    rowY += rowHeight_;
  }
  visibleRows_ = std::max(0, available / rowHeight_);
  // A list that now fits entirely (or a longer window) must not stay scrolled past its end.
  firstVisible_ = rowCount() < visibleRows_ ? 0 : clampFirst(firstVisible_);
  // Over the right end of the rows, beside the last column's text.
  scrollBar_.layout(z, probe.right() - ScrollBar::kWidth, probe.top(), visibleRows_ * rowHeight_);

  frame_.layout(z, x, x, y, y, probe.right(), y + height - 2);
}

bool GUI_Component_ListBox::scrollWith(const platform::Input& input) {
  using namespace platform::button;
  int first = firstVisible_;
  if (input.down(kWheelUp)) first -= kWheelRows;
  if (input.down(kWheelDown)) first += kWheelRows;
  const bool pageUp = input.down(kPageUp), pageDown = input.down(kPageDown);
  if (pageUp && !pageUpHeld_) first -= pageRows();
  if (pageDown && !pageDownHeld_) first += pageRows();
  pageUpHeld_ = pageUp;
  pageDownHeld_ = pageDown;

  const bool onBar = scrollBar_.contains(input.mouseX(), input.mouseY());
  const bool mouseDown = input.down(kMouseLeft);
  if (mouseDown && !mouseHeld_) dragging_ = onBar;
  if (!mouseDown) dragging_ = false;
  mouseHeld_ = mouseDown;
  if (dragging_) first = scrollBar_.firstRowAt(input.mouseY(), visibleRows_, rowCount());

  firstVisible_ = clampFirst(first);
  return onBar || dragging_;
}

std::string GUI_Component_ListBox::process(const platform::Input& input, bool mayTakeMouse) {
  if (!visible_) return {};
  frame_.draw();

  // The bar takes the pointer from the rows under it.
  const bool onBar = scrolls() && scrollWith(input);

  // The title row never highlights: it is not a choice.
  if (title_) title_->process(input, false);

  std::string result;
  const int end = firstVisible_ + visibleRows_;
  for (int i = firstVisible_; i < end && i < rowCount(); ++i) {
    GUI_Component_ListBoxItem& row = *rows_[static_cast<std::size_t>(i)];
    row.skin().setScrollOffset(-rowHeight_ * firstVisible_);
    std::string id = row.process(input, mayTakeMouse && !onBar && result.empty());
    if (!id.empty()) result = std::move(id);
  }
  if (scrolls()) scrollBar_.draw(firstVisible_, visibleRows_, rowCount());
  return result;
}

}  // namespace gui
