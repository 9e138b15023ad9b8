#include "race/ResultScreen.h"

#include "gui/FieldFrame.h"
#include "gui/GUI_Component_Button.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_ListBox.h"
#include "gui/GUI_Component_Mouse.h"
#include "gui/GUI_Manager.h"
#include "gui/UiFont.h"
#include "platform/Buttons.h"
#include "platform/Input.h"
#include "race/TimeFormat.h"

namespace race {
namespace {

constexpr int kPointerIdleFrames = 120;       // two seconds without movement hide the pointer
constexpr int kScrollButtonsFromCars = 16;    // fifteen rows fit in the list
constexpr int kRaceAgainKeyAfterFrames = 30;  // half a second on screen
constexpr platform::Color kRecordColour = 0xffff8c1au;  // the game's racing orange
// The records line: large, on a dark box of its own, so it reads over the race picture.
constexpr int kRecordFontHeight = 26;
constexpr platform::Color kRecordBacking = 0xf0101418u;
constexpr int kRecordPadding = 6;

}  // namespace

ResultScreen::ResultScreen(platform::Graphics& graphics, gui::GUI_Listener& listener)
    : graphics_(graphics), listener_(listener) {}

ResultScreen::~ResultScreen() {
  clear();
}

void ResultScreen::build(const std::vector<std::wstring>& driverNames, int screenWidth,
                         int screenHeight) {
  screenWidth_ = screenWidth;
  screenHeight_ = screenHeight;
  idleFrames_ = 0;
  rows_.clear();
  gui_ = std::make_unique<gui::GUI_Manager>(graphics_);
  list_ = std::make_unique<gui::GUI_Component_ListBox>("resultsLB", 5,
                                                       std::vector<int>{40, 200, 300, 400, 500});
  list_->setFrameKind(gui::FieldFrameKind::List);
  list_->setTitle({L"Pos.", L"Driver", L"Total time", L"Difference", L"Best lap"});
  for (std::size_t p = 0; p < driverNames.size(); ++p) {
    auto& row = list_->addRow(
        "result", {L" " + std::to_wstring(p + 1), driverNames[p], kNoTime, L"", kNoTime});
    rows_.push_back(&row);
  }
  layout();

  const int w = screenWidth, h = screenHeight;
  const int buttonY = h - (h - 500) / 2 - 98;
  quitButton_ = std::make_unique<gui::GUI_Component_Button>(kQuitRace, L"Menu");
  quitButton_->place(1000, (w - 500) / 2 + 413, buttonY, 100);
  raceAgainButton_ = std::make_unique<gui::GUI_Component_Button>(kRaceAgain, L"Race again");
  raceAgainButton_->place(1000, (w - 500) / 2 + 209, buttonY, 100);
  nextTrackButton_ = std::make_unique<gui::GUI_Component_Button>(kNextTrack, L"Next track");
  nextTrackButton_->place(1000, (w - 500) / 2 + 311, buttonY, 100);
  recordsLabel_ = std::make_unique<gui::GUI_Component_Label>(
      "recordsLbl", L"", gui::kFontFamily, kRecordFontHeight, (w - 500) / 2 + kRecordPadding,
      buttonY + 40, 1000);
  recordsLabel_->setColour(kRecordColour);
  recordsLabel_->setBacking(kRecordBacking, kRecordPadding);
  scrollUpButton_ = std::make_unique<gui::GUI_Component_Button>(kScrollUp, L"Scroll up");
  scrollUpButton_->place(1000, w / 2 - 251, buttonY, 100);
  scrollDownButton_ = std::make_unique<gui::GUI_Component_Button>(kScrollDown, L"Scroll down");
  scrollDownButton_->place(1000, w / 2 - 146, buttonY, 100);
  pointer_ = std::make_unique<gui::GUI_Component_Mouse>("mouse", 1001, false);
  mouseKnown_ = false;
  gui_->add(pointer_.get());
  gui_->addListener(&listener_);
  shown_ = scrollButtonsShown_ = false;
}

void ResultScreen::layout() {
  list_->layout(1000, (screenWidth_ - 500) / 2, listTop(screenHeight_), 389);
}

void ResultScreen::clear() {
  if (gui_) gui_->clear();
  rows_.clear();
  pointer_.reset();
  recordsLabel_.reset();
  nextTrackButton_.reset();
  raceAgainButton_.reset();
  scrollDownButton_.reset();
  scrollUpButton_.reset();
  quitButton_.reset();
  list_.reset();
  gui_.reset();
  shown_ = scrollButtonsShown_ = false;
}

void ResultScreen::refresh(const std::vector<ResultCells>& rows) {
  if (!list_) return;
  for (std::size_t p = 0; p < rows.size() && p < rows_.size(); ++p)
    rows_[p]->setCells({rows[p].begin(), rows[p].end()});
  layout();
}

std::vector<ResultCells> ResultScreen::table() const {
  std::vector<ResultCells> table;
  for (const gui::GUI_Component_ListBoxItem* row : rows_) {
    ResultCells cells;
    const auto& texts = row->cells();
    for (std::size_t c = 0; c < cells.size() && c < texts.size(); ++c) cells[c] = texts[c];
    table.push_back(cells);
  }
  return table;
}

void ResultScreen::markRecords(const records::NewRecords& records) {
  if (!recordsLabel_) return;
  std::wstring line;
  if (records.lap) line = L"New lap record!";
  if (records.race) line += std::wstring(line.empty() ? L"" : L"  ") + L"New race record!";
  recordsLabel_->setText(line);
}

const std::wstring& ResultScreen::recordsLine() const {
  static const std::wstring kNone;
  return recordsLabel_ ? recordsLabel_->text() : kNone;
}

ResultCommand ResultScreen::handleClick(const std::string& id) {
  if (id == kQuitRace) return ResultCommand::QuitRace;
  if (id == kRaceAgain) return ResultCommand::RaceAgain;
  if (id == kNextTrack) return ResultCommand::NextTrack;
  if ((id == kScrollUp || id == kScrollDown) && list_)
    list_->scrollTo(list_->firstVisible() + (id == kScrollUp ? -1 : 1));
  return ResultCommand::None;
}

void ResultScreen::update(const platform::Input& input, bool shown) {
  const double mouseX = input.mouseX(), mouseY = input.mouseY();
  const bool moved = mouseX != lastMouseX_ || mouseY != lastMouseY_;
  if (!mouseKnown_) {
    // Where the pointer was when the race began is not a movement.
    mouseKnown_ = true;
  } else if (moved) {
    idleFrames_ = 0;
    pointer_->show();
  } else if (++idleFrames_ == kPointerIdleFrames) {
    pointer_->hide();
  }
  lastMouseX_ = static_cast<int>(mouseX);
  lastMouseY_ = static_cast<int>(mouseY);

  gui_->remove(list_.get());
  gui_->remove(quitButton_.get());
  gui_->remove(raceAgainButton_.get());
  gui_->remove(nextTrackButton_.get());
  gui_->remove(recordsLabel_.get());
  gui_->remove(scrollDownButton_.get());
  gui_->remove(scrollUpButton_.get());
  shown_ = shown;
  scrollButtonsShown_ = shown && static_cast<int>(rows_.size()) >= kScrollButtonsFromCars;
  shownFrames_ = shown_ ? shownFrames_ + 1 : 0;
  if (shown_) {
    gui_->add(list_.get());
    gui_->add(quitButton_.get());
    gui_->add(raceAgainButton_.get());
    gui_->add(nextTrackButton_.get());
    gui_->add(recordsLabel_.get());
    if (scrollButtonsShown_) {
      gui_->add(scrollDownButton_.get());
      gui_->add(scrollUpButton_.get());
    }
  }
}

bool ResultScreen::raceAgainKeyPressed(const platform::Input& input) const {
  if (!shown_ || shownFrames_ < kRaceAgainKeyAfterFrames) return false;
  for (int id : input.presses()) {
    if (id == platform::button::kEnter || id == platform::button::kKeypadEnter) return true;
  }
  return false;
}

void ResultScreen::runGui(const platform::Input& input) {
  gui_->update(input);
}

bool ResultScreen::pointerShown() const {
  return pointer_ && pointer_->fade().targetVisible();
}

}  // namespace race
