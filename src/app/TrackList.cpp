#include "app/TrackList.h"

#include <memory>

#include "app/MenuRules.h"
#include "gui/FieldFrame.h"
#include "gui/GUI_Component_ListBox.h"
#include "platform/Text.h"

namespace app {

TrackList::TrackList(ScreenWidgets& widgets, std::string tracksFolder, int screenWidth,
                     int screenHeight)
    : TrackList(widgets, std::vector<std::string>{std::move(tracksFolder)}, screenWidth,
                screenHeight) {}

TrackList::TrackList(ScreenWidgets& widgets, std::vector<std::string> tracksFolders,
                     int screenWidth, int screenHeight)
    : widgets_(widgets),
      tracksFolders_(std::move(tracksFolders)),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight) {}

void TrackList::buildTrackList() {
  const std::vector<int> columns = {50, screenWidth_ / 2 - 20, screenWidth_ - 32};
  if (list_ != nullptr) {
    widgets_.destroy(list_);
    list_ = nullptr;
  }
  auto list = std::make_unique<gui::GUI_Component_ListBox>(kId, 3, columns);
  list->setFrameKind(gui::FieldFrameKind::List);

  entries_ = scanTrackFolders(tracksFolders_);
  for (const TrackListEntry& entry : entries_) {
    list->addRow(kRowPrefix + std::to_string(entry.number),
                 {L" " + std::to_wstring(entry.number), titleCellOf(entry),
                  platform::widen(entry.fileName)});
  }
  list->setTitle({L"No.", L"Track", L"Filename"});
  list->layout(kLayer, 10, 46, trackListHeight(screenHeight_));
  list_ = widgets_.add(std::move(list));
}

void TrackList::forget() {
  list_ = nullptr;
  entries_.clear();
}

void TrackList::scrollTo(int n) {
  if (list_ != nullptr) list_->scrollTo(n);
}

const TrackListEntry* TrackList::entryFor(const std::string& rowId) const {
  for (const TrackListEntry& entry : entries_) {
    if (rowId == kRowPrefix + std::to_string(entry.number)) return &entry;
  }
  return nullptr;
}

}  // namespace app
