#include "app/SetupPreview.h"

#include <cmath>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "app/MenuRules.h"
#include "app/TrackPreview.h"
#include "gui/FontCache.h"
#include "gui/GUI_Component_Background.h"
#include "gui/GUI_Component_Label.h"
#include "gui/GUI_Component_Picture.h"
#include "gui/ImageCache.h"
#include "gui/TextFit.h"
#include "gui/UiFont.h"
#include "platform/Image.h"
#include "platform/Text.h"
#include "race/TimeFormat.h"
#include "records/RecordBook.h"
#include "track/TrackData.h"
#include "track/TrackLoader.h"

namespace app {
namespace {

constexpr int kLayer = 550;
constexpr int kLeft = 500;  // the setup's own controls end before this
constexpr int kTop = 32;    // below the list buttons' row
constexpr int kColumnGap = 12;
constexpr int kFactsWidth = 140;
constexpr int kMinimumColumn = 100;
constexpr int kFontHeight = 16;
constexpr int kLineHeight = 17;
constexpr int kRecentRaces = 5;

std::wstring ordinal(int place) {
  const int lastTwo = place % 100, last = place % 10;
  const wchar_t* suffix = (lastTwo >= 11 && lastTwo <= 13) ? L"th"
                          : last == 1                      ? L"st"
                          : last == 2                      ? L"nd"
                          : last == 3                      ? L"rd"
                                                           : L"th";
  return std::to_wstring(place) + suffix;
}

std::wstring timeOf(double seconds) {
  return race::formatTime(static_cast<float>(seconds));
}

std::wstring recordLine(const std::optional<records::Record>& record) {
  if (!record) return L"none yet";
  return timeOf(record->seconds) + L"  " + platform::widen(record->driver);
}

bool readable(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

SetupPreview::SetupPreview(ScreenWidgets& widgets, int screenWidth, int screenHeight, int rowY)
    : panel_(widgets, kLayer),
      screenWidth_(screenWidth),
      screenHeight_(screenHeight),
      rowY_(rowY) {}

void SetupPreview::show(const std::string& trackPath, const std::vector<std::string>& backgrounds,
                        int laps) {
  laps_ = laps;
  const std::unique_ptr<track::TrackData> track = track::importTrack(trackPath);
  const std::string name = std::filesystem::path(trackPath).filename().string();
  if (track) {
    const TrackFacts facts = factsOf(*track);
    key_ = {name, track->pathFingerprint};
    lengthMetres_ = facts.lengthMetres;
    gridPlaces_ = facts.gridPlaces;
    thumbnail_ = thumbnailOf(trackPath, *track, backgrounds);
  } else {
    key_ = {name, ""};
    lengthMetres_ = 0;
    gridPlaces_ = 0;
    thumbnail_ = platform::Bitmap();
  }
  build();
}

void SetupPreview::showLaps(int laps) {
  if (laps == laps_) return;
  laps_ = laps;
  build();
}

const platform::Bitmap& SetupPreview::thumbnailOf(const std::string& trackPath,
                                                  const track::TrackData& track,
                                                  const std::vector<std::string>& backgrounds) {
  const std::string cacheKey = trackPath + "#" + key_.pathHash;
  const auto cached = thumbnails_.find(cacheKey);
  if (cached != thumbnails_.end()) return cached->second;
  platform::Bitmap picture;
  for (const std::string& candidate : backgrounds) {
    if (!readable(candidate)) continue;
    try {
      picture = platform::Bitmap::loadPng(candidate);
      break;
    } catch (const std::exception&) {
      // A broken picture: the next candidate, or the road's outline.
    }
  }
  platform::Bitmap thumbnail = trackThumbnail(track, picture.width() > 0 ? &picture : nullptr,
                                              kThumbnailWidth, kThumbnailHeight);
  return thumbnails_.emplace(cacheKey, std::move(thumbnail)).first->second;
}

std::vector<SetupPreview::Line> SetupPreview::factsColumn() const {
  std::vector<Line> column;
  if (lengthMetres_ > 0) {
    column.push_back({std::to_wstring(std::lround(lengthMetres_)) + L" m round", false});
  }
  column.push_back(
      {std::to_wstring(gridPlaces_) + (gridPlaces_ == 1 ? L" grid place" : L" grid places"),
       false});
  if (records_ == nullptr) return column;
  column.push_back({L"Lap record", true});
  column.push_back({recordLine(records_->bestLap(key_)), false});
  column.push_back(
      {L"Race record, " + std::to_wstring(laps_) + (laps_ == 1 ? L" lap" : L" laps"), true});
  column.push_back({recordLine(records_->bestRace(key_, laps_)), false});
  return column;
}

std::vector<SetupPreview::Line> SetupPreview::resultsColumn() const {
  std::vector<Line> column;
  if (records_ == nullptr) return column;
  column.push_back({L"Your last races", true});
  const std::vector<records::RaceResult> races = records_->lastRaces(key_, kRecentRaces);
  if (races.empty()) column.push_back({L"none yet", false});
  for (const records::RaceResult& race : races) {
    column.push_back({ordinal(race.place) + L"/" + std::to_wstring(race.cars) + L"  " +
                          std::to_wstring(race.laps) + (race.laps == 1 ? L" lap  " : L" laps  ") +
                          timeOf(race.seconds),
                      false});
  }
  return column;
}

void SetupPreview::addColumn(const std::vector<Line>& column, int x, int width) {
  if (width < kMinimumColumn) return;
  int y = rowY_ + kTop;
  for (const Line& line : column) {
    if (y + kLineHeight > screenHeight_) break;  // a low window shows what fits
    lines_.push_back(line.text);
    const std::wstring fitted =
        gui::fitText(gui::FontCache::get(gui::kFontFamily, kFontHeight), line.text, width);
    auto* label = panel_.label("gui_previewLbl", fitted, x, y, kFontHeight,
                               line.caption ? kSetupCaptionColour : kSetupValueColour);
    label->setShadowColour(kSetupShadowColour);
    y += kLineHeight;
  }
}

void SetupPreview::build() {
  panel_.clear();
  lines_.clear();
  hasThumbnail_ = false;
  const int left = std::max(kLeft, screenWidth_ - 500);
  const int top = rowY_ + kTop;
  const int room = screenHeight_ - top - 4;
  int x = left;
  if (thumbnail_.width() > 0 && room >= 40 && left + kThumbnailWidth < screenWidth_) {
    // Centred in a field of the thumbnail's full size, so every track's picture lines up.
    panel_.add(std::make_unique<gui::GUI_Component_Background>(
        "gui_previewBox", kLayer, x, top, x + kThumbnailWidth + 4,
        top + std::min(room, kThumbnailHeight + 4), gui::FieldFrameKind::List));
    if (thumbnail_.height() + 4 <= room) {
      panel_.add(std::make_unique<gui::GUI_Component_Picture>(
          "gui_previewImg", gui::ImageCache::fromPixels(thumbnail_), kLayer,
          x + 2 + (kThumbnailWidth - thumbnail_.width()) / 2,
          top + 2 + (kThumbnailHeight - thumbnail_.height()) / 2));
      hasThumbnail_ = true;
    }
    x += kThumbnailWidth + 4 + kColumnGap;
  }
  addColumn(factsColumn(), x, std::min(kFactsWidth, screenWidth_ - 10 - x));
  x += kFactsWidth + kColumnGap;
  addColumn(resultsColumn(), x, screenWidth_ - 10 - x);
}

void SetupPreview::clear() {
  panel_.clear();
  lines_.clear();
  hasThumbnail_ = false;
}

void SetupPreview::forget() {
  panel_.forget();
  lines_.clear();
  hasThumbnail_ = false;
}

}  // namespace app
