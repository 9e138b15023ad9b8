#include "track/TrackWriter.h"

#include <charconv>

#include "platform/SafeSave.h"

namespace track {

namespace {

// Text as element content: markup characters and the white space that XML would otherwise
// normalise are written as references; other control characters cannot appear in XML 1.0.
std::string escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\t':
        out += "&#9;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
        break;
    }
  }
  return out;
}

// The shortest decimal text that reads back as exactly `value`.
std::string number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

void writeRecord(std::string& out, const char* element, const TrackPoint& p, double rotation) {
  out += "    <";
  out += element;
  out += "><x>" + number(p.x) + "</x><y>" + number(p.y) + "</y><width>" + number(p.width) +
         "</width><offset>" + number(p.offset) + "</offset><rotation>" + number(rotation) +
         "</rotation></";
  out += element;
  out += ">\n";
}

}  // namespace

std::string trackFileText(const TrackData& track) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<track>\n";
  out += "  <title>" + escaped(track.title) + "</title>\n";
  out += "  <background>" + escaped(track.background) + "</background>\n";
  // The meadow is the painter's own choice for a track that names none.
  if (!track.theme.empty()) out += "  <theme>" + escaped(track.theme) + "</theme>\n";
  out += "  <points>\n";
  for (const TrackPoint& p : pathInFileOrder(track)) writeRecord(out, "point", p, 0.0);
  out += "  </points>\n  <positions>\n";
  for (const TrackPoint& p : track.positions) writeRecord(out, "position", p, p.rotation);
  out += "  </positions>\n</track>\n";
  return out;
}

bool saveTrackFile(const TrackData& track, const std::string& path, std::string* error) {
  const std::string text = trackFileText(track);
  try {
    platform::saveFile(
        path, [&text](platform::SaveStream& out) { out.write(text); }, "the track");
    return true;
  } catch (const std::exception& failure) {
    if (error) *error = failure.what();
    return false;
  }
}

}  // namespace track
