#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/PanelWidgets.h"
#include "platform/Bitmap.h"
#include "records/Records.h"

namespace track {
struct TrackData;
}

namespace records {
class RecordBook;
}

namespace app {

// Beside the race setup: a small picture of the chosen track, its length and grid places, its
// lap record, its race record over the chosen number of laps and the player's last five
// races on it. Laid out to the right of the setup's controls; what does not fit in a small
// window is left out.
class SetupPreview {
 public:
  static constexpr int kThumbnailWidth = 150;
  static constexpr int kThumbnailHeight = 100;

  // rowY: the setup panel's row (see rowBaseY); window size in pixels.
  SetupPreview(ScreenWidgets& widgets, int screenWidth, int screenHeight, int rowY);

  void setRecordBook(const records::RecordBook* book) { records_ = book; }
  // A newly chosen track: trackPath is its file, backgrounds the pictures it may have in the
  // order to try (see platform::UserFolders::backgroundCandidates), laps the chosen count.
  void show(const std::string& trackPath, const std::vector<std::string>& backgrounds, int laps);
  // The lap count changed: the race record shown is the one over `laps` laps.
  void showLaps(int laps);
  void clear();
  // A screen change freed the widgets already.
  void forget();

  // The texts shown, line by line (the picture aside), for tests.
  const std::vector<std::wstring>& lines() const { return lines_; }
  bool hasThumbnail() const { return hasThumbnail_; }

 private:
  // One line of a column: a caption ("Lap record") or what it says.
  struct Line {
    std::wstring text;
    bool caption = false;
  };
  void build();
  std::vector<Line> factsColumn() const;
  std::vector<Line> resultsColumn() const;
  void addColumn(const std::vector<Line>& column, int x, int width);
  const platform::Bitmap& thumbnailOf(const std::string& trackPath, const track::TrackData& track,
                                      const std::vector<std::string>& backgrounds);

  PanelWidgets panel_;
  int screenWidth_;
  int screenHeight_;
  int rowY_;
  const records::RecordBook* records_ = nullptr;
  // The chosen track.
  records::TrackKey key_;
  double lengthMetres_ = 0;
  int gridPlaces_ = 0;
  int laps_ = 0;
  platform::Bitmap thumbnail_;
  bool hasThumbnail_ = false;
  std::vector<std::wstring> lines_;
  // Pictures made before, by track file and road: scaling a background takes a moment.
  std::map<std::string, platform::Bitmap> thumbnails_;
};

}  // namespace app
