#include "app/TrackList.h"

#include <chrono>
#include <memory>
#include <thread>

#include "app/MenuRules.h"
#include "app/TrackTitleReader.h"
#include "gui/FieldFrame.h"
#include "gui/GUI_Component_ListBox.h"
#include "platform/Text.h"

namespace app {

TrackList::TrackList(ScreenWidgets& widgets, std::string tracksFolder, int screenWidth,
                     int screenHeight, TitleReading reading)
    : TrackList(widgets, std::vector<std::string>{std::move(tracksFolder)}, screenWidth,
                screenHeight, reading) {}

TrackList::TrackList(ScreenWidgets& widgets, std::vector<std::string> tracksFolders,
                     int screenWidth, int screenHeight, TitleReading reading)
    : widgets_(widgets),
      tracksFolders_(std::move(tracksFolders)),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      titleReading_(reading) {}

TrackList::~TrackList() = default;

void TrackList::buildTrackList() {
  reader_.reset();
  const std::vector<int> columns = {50, screenWidth_ / 2 - 20, screenWidth_ - 32};
  if (list_ != nullptr) {
    widgets_.destroy(list_);
    list_ = nullptr;
  }
  auto list = std::make_unique<gui::GUI_Component_ListBox>(kId, 3, columns);
  list->setFrameKind(gui::FieldFrameKind::List);

  entries_ = titleReading_ == TitleReading::Immediate ? scanTrackFolders(tracksFolders_)
                                                      : listTrackFolders(tracksFolders_);
  for (const TrackListEntry& entry : entries_) {
    list->addRow(kRowPrefix + std::to_string(entry.number),
                 {L" " + std::to_wstring(entry.number), titleCellOf(entry),
                  platform::widen(entry.fileName)});
  }
  list->setTitle({L"No.", L"Track", L"Filename"});
  list->layout(kLayer, 10, 46, trackListHeight(screenHeight_));
  list_ = widgets_.add(std::move(list));
  if (titleReading_ == TitleReading::Background && !entries_.empty()) {
    reader_ = std::make_unique<TrackTitleReader>(entries_);
  }
}

void TrackList::update() {
  if (!reader_) return;
  const bool finished = reader_->finished();
  for (TrackTitleReader::Arrival& arrival : reader_->take()) {
    // A row the player chose early was read then; the two readings agree.
    if (entries_[arrival.index].read) continue;
    entries_[arrival.index] = std::move(arrival.entry);
    showEntry(arrival.index);
  }
  // Checked before taking: what arrived before the end is all in now.
  if (finished) reader_.reset();
}

void TrackList::finishReading() {
  while (reader_) {
    update();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void TrackList::showEntry(std::size_t index) {
  if (list_ == nullptr) return;
  const TrackListEntry& entry = entries_[index];
  list_->row(static_cast<int>(index))
      .setCells({L" " + std::to_wstring(entry.number), titleCellOf(entry),
                 platform::widen(entry.fileName)});
}

void TrackList::forget() {
  reader_.reset();
  list_ = nullptr;
  entries_.clear();
}

void TrackList::scrollTo(int n) {
  if (list_ != nullptr) list_->scrollTo(n);
}

const TrackListEntry* TrackList::entryFor(const std::string& rowId) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    TrackListEntry& entry = entries_[i];
    if (rowId != kRowPrefix + std::to_string(entry.number)) continue;
    if (!entry.read) {
      readTrackEntry(entry);
      showEntry(i);
    }
    return &entry;
  }
  return nullptr;
}

}  // namespace app
