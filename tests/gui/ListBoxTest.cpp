#include <stdexcept>

#include "GuiFixture.h"
#include "gui/FontCache.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/UiFont.h"
#include "platform/Font.h"

namespace guitest {
namespace {

using Cells = std::vector<std::wstring>;

// A three-column list in the list frame at (100, 50); 130 pixels leave room for the title and
// four rows of 24 pixels.
class ListBoxTest : public GuiTest {
 protected:
  ListBoxTest() {
    list.setFrameKind(gui::FieldFrameKind::List);
    list.setTitle({L"Nr.", L"Title", L"File"});
    manager.add(&list);
  }
  void fill(int rows) {
    for (int i = 0; i < rows; ++i) {
      list.addRow("row" + std::to_string(i), {std::to_wstring(i), L"Track", L"track.rst"});
    }
    list.layout(400, 100, 50, 130);
  }
  void wheel(int button) {
    input.setDown(button, true);
    frame();  // the fixture's frame() releases the wheel again, as the window does
  }
  // Vertical middle of the n-th visible row slot.
  static double slotY(int n) { return 76 + 24 * n + 12; }

  gui::GUI_Component_ListBox list{"gui_tracksLB", 3, {50, 380, 768}};
};

TEST_F(ListBoxTest, LayoutStacksRowsUnderTheTitle) {
  fill(10);
  EXPECT_EQ(list.rowHeight(), 24);
  EXPECT_EQ(list.visibleRows(), 4);
  EXPECT_EQ(list.title()->skin().top(), 52);  // frame spacing 2
  EXPECT_EQ(list.row(0).skin().top(), 76);
  EXPECT_EQ(list.row(3).skin().top(), 76 + 3 * 24);
  EXPECT_EQ(list.row(0).skin().right(), 102 + 2 + 768 + 6);
  EXPECT_EQ(list.frame().left(), 100);
  EXPECT_EQ(list.frame().top(), 50);
  EXPECT_EQ(list.frame().bottom(), 50 + 130 - 2 + 2);  // spacing bottom 2
  EXPECT_EQ(list.getZ(), 400);
}

TEST_F(ListBoxTest, WheelStopsAtBothEnds) {
  fill(10);
  for (int i = 0; i < 9; ++i) wheel(platform::button::kWheelDown);
  EXPECT_EQ(list.firstVisible(), 6);
  for (int i = 0; i < 9; ++i) wheel(platform::button::kWheelUp);
  EXPECT_EQ(list.firstVisible(), 0);

  list.scrollTo(40);
  EXPECT_EQ(list.firstVisible(), 6);
  list.scrollTo(-3);
  EXPECT_EQ(list.firstVisible(), 0);
  list.scrollTo(list.firstVisible() + 1);
  EXPECT_EQ(list.firstVisible(), 1);
}

TEST_F(ListBoxTest, ALongListHasAScrollBarAndMovesByPagesAndSeveralRowsPerNotch) {
  fill(30);  // four rows shown
  moveTo(300, slotY(0));
  frame();
  EXPECT_EQ(drawsOf(gui::ScrollBar::kThumbPicture), 1);  // the thumb
  const gui::ScrollBar& bar = list.scrollBar();
  EXPECT_EQ(bar.top(), 76);
  EXPECT_EQ(bar.height(), 4 * 24);
  EXPECT_EQ(bar.thumb(0, 4, 30).top, 76);
  EXPECT_EQ(bar.thumb(0, 4, 30).height, gui::ScrollBar::kMinThumb);
  EXPECT_EQ(bar.thumb(26, 4, 30).top + bar.thumb(26, 4, 30).height, 76 + 96);

  wheel(platform::button::kWheelDown);
  EXPECT_EQ(list.firstVisible(), gui::GUI_Component_ListBox::kWheelRows);

  // A page less one row per press, however long the key is held.
  input.setDown(platform::button::kPageDown, true);
  frame();
  frame();
  EXPECT_EQ(list.firstVisible(), 3 + 3);
  input.setDown(platform::button::kPageDown, false);
  frame();
  input.setDown(platform::button::kPageUp, true);
  frame();
  EXPECT_EQ(list.firstVisible(), 3);
  input.setDown(platform::button::kPageUp, false);

  // Dragging the thumb to the bottom shows the last rows; the row under the bar is not chosen.
  moveTo(bar.left() + 4, bar.top() + 2);
  setButton(true);
  frame();
  moveTo(bar.left() + 4, bar.top() + bar.height() - 1);
  frame();
  EXPECT_EQ(list.firstVisible(), 26);
  recorder.events.clear();
  setButton(false);
  frame();
  EXPECT_TRUE(recorder.clicks().empty());
  // A press that starts on the rows never drags the bar.
  moveTo(300, slotY(1));
  setButton(true);
  frame();
  moveTo(bar.left() + 4, bar.top());
  frame();
  EXPECT_EQ(list.firstVisible(), 26);
}

TEST_F(ListBoxTest, ShortListIgnoresWheelAndScrolling) {
  fill(3);
  wheel(platform::button::kWheelDown);
  list.scrollTo(1);
  EXPECT_EQ(list.firstVisible(), 0);
  EXPECT_EQ(drawsOf(gui::ScrollBar::kThumbPicture), 0);  // no scroll bar

  // Exactly full: it may "scroll", but only to 0.
  gui::GUI_Component_ListBox full("full", 1, {100});
  for (int i = 0; i < 4; ++i) full.addRow("r", {L"x"});
  full.layout(1, 0, 0, 4 + 4 * 24);
  EXPECT_EQ(full.visibleRows(), 4);
  full.scrollTo(2);
  EXPECT_EQ(full.firstVisible(), 0);
}

TEST_F(ListBoxTest, OnlyVisibleRowsAreDrawnAndTakeTheMouse) {
  fill(10);
  list.scrollTo(6);
  EXPECT_EQ(clickAt(300, slotY(0)), std::vector<std::string>{"click:row6"});
  EXPECT_EQ(clickAt(300, slotY(3)), std::vector<std::string>{"click:row9"});
  // Below the last visible slot lies where row 10 would be: nothing.
  EXPECT_TRUE(clickAt(300, slotY(4)).empty());
  // The title is not a choice.
  EXPECT_TRUE(clickAt(300, 64).empty());

  moveTo(300, slotY(1));
  frame();
  EXPECT_EQ(drawsOf("list_over.png"), 1);
  // Rows 6 and 8 are even-numbered rows, so odd pictures: 1-based they are the 7th and 9th.
  EXPECT_EQ(drawsOf("list_oddfield.png"), 2);
  EXPECT_EQ(drawsOf("list_evenfield.png"), 1);  // row 9; row 7 is hovered
  EXPECT_EQ(textDraws(L"5"), 0);
  EXPECT_EQ(textDraws(L"6"), 2);  // shadow and text
}

TEST_F(ListBoxTest, RowsAlternateStartingWithTheOddPicture) {
  fill(4);
  moveTo(0, 0);
  frame();
  EXPECT_EQ(drawsOf("list_oddfield.png"), 2);
  EXPECT_EQ(drawsOf("list_evenfield.png"), 2);
  EXPECT_EQ(drawsOf("main_field_fill.png"), 1);  // the title row
  const auto& first = list.row(0).skin();
  EXPECT_EQ(list.row(1).skin().top(), first.bottom());
}

TEST_F(ListBoxTest, PressedRowShowsTheDownPicture) {
  fill(4);
  moveTo(300, slotY(2));
  setButton(true);
  frame();
  EXPECT_EQ(drawsOf("list_down.png"), 1);
  EXPECT_EQ(drawsOf("list_over.png"), 0);
}

TEST_F(ListBoxTest, CellsKeepTheirFullTextWhileTheDrawnOnesAreShortened) {
  const std::wstring longFile(80, L'w');
  gui::GUI_Component_ListBoxItem& row = list.addRow("listboxItem_0", {L"1", L"Oval", longFile});
  list.layout(400, 100, 50, 130);
  const Cells* cells = list.cellsOf("listboxItem_0");
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ((*cells)[2], longFile);  // what the track list hands on to the race
  const std::wstring& shown = row.skin().shownCells()[2];
  EXPECT_EQ(shown.substr(shown.size() - 2), L"..");
  EXPECT_LE(gui::FontCache::get(gui::kFontFamily, 17).textWidth(shown), 768 - 8 - 380);
  EXPECT_EQ(list.cellsOf("listboxItem_1"), nullptr);

  row.setCells({L"2"});  // a short array is padded, not read past its end
  EXPECT_EQ(list.cellsOf("listboxItem_0")->size(), 3u);
  EXPECT_EQ((*list.cellsOf("listboxItem_0"))[0], L"2");
  EXPECT_EQ((*list.cellsOf("listboxItem_0"))[2], L"");
}

TEST_F(ListBoxTest, EmptyListDrawsFrameAndTitleOnly) {
  list.layout(400, 100, 50, 130);
  EXPECT_EQ(list.visibleRows(), 4);
  moveTo(300, slotY(0));
  frame();
  EXPECT_TRUE(recorder.events.empty());
  EXPECT_EQ(drawsOf("list_field_fill.png"), 1);
  EXPECT_EQ(drawsOf("main_field_fill.png"), 1);
  wheel(platform::button::kWheelDown);
  EXPECT_EQ(list.firstVisible(), 0);
}

TEST_F(ListBoxTest, HiddenListDrawsNothingAndIgnoresTheWheel) {
  fill(10);
  list.hide();
  moveTo(300, slotY(0));
  wheel(platform::button::kWheelDown);
  EXPECT_TRUE(graphics.queued().empty());
  EXPECT_EQ(list.firstVisible(), 0);
}

TEST_F(ListBoxTest, AButtonAboveTheListTakesTheMouseFirst) {
  fill(4);
  gui::GUI_Component_Button scroll("nextCircuit", L"Scroll down");
  scroll.place(550, 200, 70, 100);
  manager.add(&scroll);
  EXPECT_EQ(clickAt(250, 80), std::vector<std::string>{"click:nextCircuit"});
  frame();
  EXPECT_EQ(drawsOf("list_over.png"), 0);
}

TEST(ListBoxColumns, NeedsOneStartPerColumn) {
  EXPECT_THROW(gui::GUI_Component_ListBox("l", 3, {50, 100}), std::invalid_argument);
}

}  // namespace
}  // namespace guitest
