#include "editor/TrackDocument.h"

#include <algorithm>
#include <utility>

#include "track/StartGrid.h"

namespace editor {

TrackDocument::TrackDocument() {
  TrackContent empty;
  empty.title = kNewTitle;
  reset(std::move(empty), "");
}

void TrackDocument::reset(TrackContent content, std::string path) {
  content_ = std::move(content);
  saved_ = content_;
  path_ = std::move(path);
  undo_.clear();
  redo_.clear();
  gestureOpen_ = gestureRecorded_ = false;
  lastKind_ = Kind::None;
  changed();
}

void TrackDocument::record(Kind kind, std::size_t index) {
  if (gestureOpen_) {
    if (gestureRecorded_) return;
    gestureRecorded_ = true;
  } else if (kind != Kind::None && kind == lastKind_ && index == lastIndex_ && !undo_.empty()) {
    return;
  }
  lastKind_ = kind;
  lastIndex_ = index;
  undo_.push_back(content_);
  redo_.clear();
}

void TrackDocument::changed() {
  track_ = trackOf(content_);
  ++version_;
}

double TrackDocument::widthBefore(std::size_t index) const {
  if (content_.path.empty()) return kDefaultWidth;
  return content_.path[std::min(index, content_.path.size() - 1)].width;
}

void TrackDocument::addPoint(double x, double y) {
  record();
  const double width = widthBefore(content_.path.size());
  content_.path.push_back(track::TrackPoint{x, y, width, 0, 0});
  changed();
}

void TrackDocument::insertPoint(std::size_t after, double x, double y) {
  if (after >= content_.path.size()) return addPoint(x, y);
  record();
  const double width = widthBefore(after);
  content_.path.insert(content_.path.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                       track::TrackPoint{x, y, width, 0, 0});
  changed();
}

void TrackDocument::movePoint(std::size_t index, double x, double y) {
  if (index >= content_.path.size()) return;
  track::TrackPoint& p = content_.path[index];
  if (p.x == x && p.y == y) return;
  record();
  p.x = x;
  p.y = y;
  changed();
}

void TrackDocument::deletePoint(std::size_t index) {
  if (index >= content_.path.size()) return;
  record();
  content_.path.erase(content_.path.begin() + static_cast<std::ptrdiff_t>(index));
  changed();
}

void TrackDocument::setWidth(std::size_t index, double width) {
  if (index >= content_.path.size()) return;
  width = std::clamp(width, kMinWidth, kMaxWidth);
  if (content_.path[index].width == width) return;
  record();
  content_.path[index].width = width;
  changed();
}

void TrackDocument::changeWidth(std::size_t index, double by) {
  if (index >= content_.path.size()) return;
  const double width = std::clamp(content_.path[index].width + by, kMinWidth, kMaxWidth);
  if (content_.path[index].width == width) return;
  record(Kind::Width, index);
  content_.path[index].width = width;
  changed();
}

void TrackDocument::placeGrid(int count) {
  record();
  content_.places = track::startgrid::layOut(content_.path, count);
  changed();
}

void TrackDocument::movePlace(std::size_t index, double x, double y) {
  if (index >= content_.places.size()) return;
  track::TrackPoint& p = content_.places[index];
  if (p.x == x && p.y == y) return;
  record();
  p.x = x;
  p.y = y;
  changed();
}

void TrackDocument::rotatePlace(std::size_t index, double rotation) {
  if (index >= content_.places.size() || content_.places[index].rotation == rotation) return;
  record();
  content_.places[index].rotation = rotation;
  changed();
}

void TrackDocument::deletePlace(std::size_t index) {
  if (index >= content_.places.size()) return;
  record();
  content_.places.erase(content_.places.begin() + static_cast<std::ptrdiff_t>(index));
  changed();
}

void TrackDocument::clearGrid() {
  if (content_.places.empty()) return;
  record();
  content_.places.clear();
  changed();
}

void TrackDocument::setTitle(const std::string& title) {
  if (content_.title == title) return;
  record();
  content_.title = title;
  changed();
}

void TrackDocument::setBackground(const std::string& background) {
  if (content_.background == background) return;
  record();
  content_.background = background;
  changed();
}

void TrackDocument::beginGesture() {
  gestureOpen_ = true;
  gestureRecorded_ = false;
}

void TrackDocument::endGesture() {
  // A drag that came back to where it started leaves no step behind.
  if (gestureRecorded_ && !undo_.empty() && undo_.back() == content_) undo_.pop_back();
  gestureOpen_ = gestureRecorded_ = false;
  lastKind_ = Kind::None;
}

bool TrackDocument::undo() {
  if (undo_.empty()) return false;
  redo_.push_back(std::move(content_));
  content_ = std::move(undo_.back());
  undo_.pop_back();
  lastKind_ = Kind::None;
  changed();
  return true;
}

bool TrackDocument::redo() {
  if (redo_.empty()) return false;
  undo_.push_back(std::move(content_));
  content_ = std::move(redo_.back());
  redo_.pop_back();
  lastKind_ = Kind::None;
  changed();
  return true;
}

void TrackDocument::markSaved(const std::string& path) {
  saved_ = content_;
  path_ = path;
  ++version_;
}

}  // namespace editor
