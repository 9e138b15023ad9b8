#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "editor/TrackContent.h"
#include "track/TrackData.h"

namespace editor {

// The track being edited, with its file, its undo history and whether it differs from what was
// last saved. Every change goes through one of the edits below, and every edit can be undone
// and redone. A gesture (a drag of the mouse) is one step however many edits it makes.
class TrackDocument {
 public:
  // Narrowest and widest road the editor's handles and wheel give, world units.
  static constexpr double kMinWidth = 16.0;
  static constexpr double kMaxWidth = 600.0;
  // Road width of a new point when there is no point to take it from, world units.
  static constexpr double kDefaultWidth = 80.0;
  static constexpr const char* kNewTitle = "New Track";

  // An empty track titled "New Track", not yet saved anywhere.
  TrackDocument();

  // Starts over with `content` read from `path` ("" for a new track): no history, not modified.
  void reset(TrackContent content, std::string path);

  // The path. `index` counts in file order (0 is the finish line). New points take the width of
  // the point before them.
  void addPoint(double x, double y);                        // after the last point
  void insertPoint(std::size_t after, double x, double y);  // between `after` and its successor
  void movePoint(std::size_t index, double x, double y);
  void deletePoint(std::size_t index);
  // Width in world units, held within kMinWidth..kMaxWidth.
  void setWidth(std::size_t index, double width);
  // Widens (positive) or narrows the road at a point; steps of the same point in a row are one
  // undo step, as a turn of the wheel is one change to the player.
  void changeWidth(std::size_t index, double by);

  // The start grid: `count` places (up to 16) behind the finish line (track::startgrid).
  void placeGrid(int count);
  void movePlace(std::size_t index, double x, double y);
  // `rotation` in radians as the race reads it (0 faces right, π/2 up).
  void rotatePlace(std::size_t index, double rotation);
  void deletePlace(std::size_t index);
  void clearGrid();

  void setTitle(const std::string& title);
  void setBackground(const std::string& background);

  // A drag: its edits between begin and end are one undo step (none when nothing changed).
  void beginGesture();
  void endGesture();
  bool inGesture() const { return gestureOpen_; }

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  bool undo();
  bool redo();

  // Whether the content differs from what was read or last saved (undoing back to it counts
  // as unmodified again).
  bool modified() const { return !(content_ == saved_); }
  // The content is now what the file at `path` holds.
  void markSaved(const std::string& path);

  const TrackContent& content() const { return content_; }
  // The track as the game would load it; rebuilt after every change.
  const track::TrackData& track() const { return track_; }
  // Counts changes (edits, undo, redo, reset), so views can tell when to look again.
  unsigned long version() const { return version_; }
  // The file the track was read from or last saved to; empty for a new track.
  const std::string& path() const { return path_; }

 private:
  enum class Kind { None, Width };

  // Called before every edit: keeps the state to undo to (once per gesture or width run).
  void record(Kind kind = Kind::None, std::size_t index = 0);
  void changed();
  double widthBefore(std::size_t index) const;

  TrackContent content_;
  TrackContent saved_;
  track::TrackData track_;
  std::vector<TrackContent> undo_;
  std::vector<TrackContent> redo_;
  std::string path_;
  bool gestureOpen_ = false;
  bool gestureRecorded_ = false;
  Kind lastKind_ = Kind::None;
  std::size_t lastIndex_ = 0;
  unsigned long version_ = 0;
};

}  // namespace editor
