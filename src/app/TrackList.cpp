#include "app/TrackList.h"

#include <chrono>
#include <memory>
#include <thread>

#include "app/MenuRules.h"
#include "app/TrackTitleReader.h"
#include "gui/FieldFrame.h"
#include "gui/GUI_Component_ListBox.h"
#include "platform/Text.h"
#include "race/TimeFormat.h"
#include "records/RecordBook.h"

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
  const std::vector<int> columns = {50, screenWidth_ / 2 - 20, screenWidth_ - 152,
                                    screenWidth_ - 32};
  if (list_ != nullptr) {
    widgets_.destroy(list_);
    list_ = nullptr;
  }
  auto list = std::make_unique<gui::GUI_Component_ListBox>(kId, 4, columns);
  list->setFrameKind(gui::FieldFrameKind::List);

  entries_ = titleReading_ == TitleReading::Immediate ? scanTrackFolders(tracksFolders_)
                                                      : listTrackFolders(tracksFolders_);
  for (const TrackListEntry& entry : entries_) {
    list->addRow(kRowPrefix + std::to_string(entry.number),
                 {L" " + std::to_wstring(entry.number), titleCellOf(entry),
                  platform::widen(entry.fileName), bestLapCellOf(entry)});
  }
  list->setTitle({L"No.", L"Track", L"Filename", L"Best lap"});
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
                 platform::widen(entry.fileName), bestLapCellOf(entry)});
}

const TrackListEntry& TrackList::readEntry(std::size_t index) {
  TrackListEntry& entry = entries_[index];
  if (!entry.read) {
    readTrackEntry(entry);
    showEntry(index);
  }
  return entry;
}

std::wstring TrackList::bestLapCellOf(const TrackListEntry& entry) const {
  if (records_ == nullptr || !entry.readable) return L"";
  const auto record = records_->bestLap({entry.fileName, entry.pathFingerprint});
  return record ? race::formatTime(static_cast<float>(record->seconds)) : L"";
}

std::string TrackList::rowIdOf(const std::string& fileName) const {
  for (const TrackListEntry& entry : entries_) {
    if (entry.fileName == fileName) return kRowPrefix + std::to_string(entry.number);
  }
  return "";
}

std::string TrackList::rowIdAfter(const std::string& fileName) {
  const auto count = entries_.size();
  std::size_t current = count - 1;  // a file not in the list starts from the top
  for (std::size_t i = 0; i < count; ++i) {
    if (entries_[i].fileName == fileName) current = i;
  }
  for (std::size_t step = 1; step <= count; ++step) {
    const TrackListEntry& next = readEntry((current + step) % count);
    if (next.readable) return kRowPrefix + std::to_string(next.number);
  }
  return "";
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
    if (rowId == kRowPrefix + std::to_string(entries_[i].number)) return &readEntry(i);
  }
  return nullptr;
}

}  // namespace app
