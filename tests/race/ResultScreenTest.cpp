#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RaceFixture.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Listener.h"
#include "platform/Buttons.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "race/ResultScreen.h"
#include "race/TimeFormat.h"
#include "support/TestSupport.h"

namespace {

struct Clicks : gui::GUI_Listener {
  void onClick(std::string id) override { ids.push_back(id); }
  void onHover(std::string) override {}
  std::vector<std::string> ids;
};

std::vector<std::wstring> names(int count) {
  std::vector<std::wstring> list;
  for (int i = 1; i <= count; ++i) list.push_back(L"Player" + std::to_wstring(i));
  return list;
}

using ResultScreenParts = RaceFixture;

TEST_F(ResultScreenParts, ShownWhenAskedWithAnIdlePointerHiddenAndItsClicksGoToTheRace) {
  Clicks clicks;
  race::ResultScreen screen(*graphics_, clicks);
  screen.build(names(3), 800, 600);
  ASSERT_EQ(screen.table().size(), 3u);
  EXPECT_EQ(screen.table()[1],
            (race::ResultCells{L" 2", L"Player2", race::kNoTime, L"", race::kNoTime}));
  screen.refresh({{L" 1", L"Player3", L"00:10.000", L"", L"00:10.000"}});
  EXPECT_EQ(screen.table()[0][1], L"Player3");

  // The pointer stays hidden until the mouse moves: where it stood at the start is no move.
  input_.setMouse(300, 200);
  screen.update(input_, false);
  EXPECT_FALSE(screen.shown());
  EXPECT_FALSE(screen.pointerShown());
  screen.update(input_, true);
  EXPECT_TRUE(screen.shown());
  EXPECT_FALSE(screen.scrollButtonsShown());  // three rows fit
  EXPECT_EQ(screen.handleClick("scrolldown"), race::ResultCommand::None);
  EXPECT_EQ(screen.list()->firstVisible(), 0);
  EXPECT_EQ(screen.handleClick("quitRace"), race::ResultCommand::QuitRace);

  // "Quit Race" clicked through the GUI pass reaches the listener; the pass changes nothing of
  // what update() decided.
  input_.setMouse(613, 464);
  screen.update(input_, true);
  input_.setDown(platform::button::kMouseLeft, true);
  screen.runGui(input_);
  input_.setDown(platform::button::kMouseLeft, false);
  screen.runGui(input_);
  EXPECT_EQ(clicks.ids, std::vector<std::string>{"quitRace"});
  EXPECT_TRUE(screen.shown());

  // Two seconds (120 frames) without moving hide the pointer; drawing does not count.
  for (int frame = 1; frame < 120; ++frame) screen.update(input_, true);
  for (int frame = 0; frame < 10; ++frame) screen.runGui(input_);
  EXPECT_TRUE(screen.pointerShown());
  screen.update(input_, true);
  EXPECT_FALSE(screen.pointerShown());
  input_.setMouse(600, 464);
  screen.update(input_, true);
  EXPECT_TRUE(screen.pointerShown());
  screen.clear();  // the race is over
  EXPECT_EQ(screen.list(), nullptr);
  EXPECT_FALSE(screen.shown());
}

TEST_F(ResultScreenParts, RaceAgainAndNextTrackAreCommandsAndEnterRacesAgainOnceTheTableIsUp) {
  Clicks clicks;
  race::ResultScreen screen(*graphics_, clicks);
  screen.build(names(2), 800, 600);
  EXPECT_EQ(screen.handleClick("raceAgain"), race::ResultCommand::RaceAgain);
  EXPECT_EQ(screen.handleClick("nextTrack"), race::ResultCommand::NextTrack);
  EXPECT_EQ(screen.recordsLine(), L"");
  screen.markRecords({true, true});
  EXPECT_EQ(screen.recordsLine(), L"New lap record!  New race record!");
  screen.markRecords({false, true});
  EXPECT_EQ(screen.recordsLine(), L"New race record!");
  // Drawn large on a dark box of its own, it reads over any race picture.
  screen.update(input_, true);
  graphics_->flush();
  screen.runGui(input_);
  const platform::DrawCall* line = nullptr;
  const platform::DrawCall* box = nullptr;
  for (const platform::DrawCall& call : graphics_->queued()) {
    if (call.kind == platform::DrawCall::Kind::Text && call.text == L"New race record!" &&
        call.color == 0xffff8c1au)
      line = &call;
    if (line == nullptr && call.kind == platform::DrawCall::Kind::Image) box = &call;
  }
  ASSERT_NE(line, nullptr);
  ASSERT_NE(box, nullptr);
  EXPECT_GE(line->font->height(), 24);
  EXPECT_LE(box->x, line->x);
  EXPECT_LE(box->y, line->y);
  EXPECT_GE(box->x + box->scaleX * box->image->width(),
            line->x + line->font->textWidth(line->text));
  EXPECT_GE(box->y + box->scaleY * box->image->height(), line->y + line->font->height());
  EXPECT_EQ(platform::alphaOf(box->color), 0xf0);
  EXPECT_GE(testsupport::contrastRatio(line->color, box->color), 4.5);
  graphics_->flush();

  // Enter held as the car finished does not count; a press half a second later does.
  auto pressEnter = [&] {
    input_.press(platform::button::kEnter);
    const bool again = screen.raceAgainKeyPressed(input_);
    input_.endFrame();
    input_.release(platform::button::kEnter);
    return again;
  };
  EXPECT_FALSE(pressEnter());  // not shown yet
  screen.update(input_, true);
  EXPECT_FALSE(pressEnter());
  for (int frame = 0; frame < 30; ++frame) screen.update(input_, true);
  EXPECT_TRUE(pressEnter());
  EXPECT_FALSE(screen.raceAgainKeyPressed(input_));  // no press in this frame
}

}  // namespace
