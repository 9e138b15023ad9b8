#include "editor/TrackContent.h"

namespace editor {

namespace {

bool samePoints(const std::vector<track::TrackPoint>& a, const std::vector<track::TrackPoint>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].width != b[i].width ||
        a[i].offset != b[i].offset || a[i].rotation != b[i].rotation) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool TrackContent::operator==(const TrackContent& other) const {
  return title == other.title && background == other.background && theme == other.theme &&
         samePoints(path, other.path) && samePoints(places, other.places);
}

track::TrackData trackOf(const TrackContent& content) {
  track::TrackData track;
  track::setPathFromFile(track, content.path);
  track.positions = content.places;
  track.title = content.title;
  track.background = content.background;
  track.theme = content.theme;
  return track;
}

TrackContent contentOf(const track::TrackData& track) {
  TrackContent content;
  content.path = track::pathInFileOrder(track);
  // The loader replaced the rotations; the file's own are of no use to anyone.
  for (track::TrackPoint& p : content.path) p.rotation = 0;
  content.places = track.positions;
  content.title = track.title;
  content.background = track.background;
  content.theme = track.theme;
  return content;
}

}  // namespace editor
