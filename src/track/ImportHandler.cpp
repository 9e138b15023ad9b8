#include "track/ImportHandler.h"

#include <cmath>
#include <string_view>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/TransService.hpp>

#include "common/Angle.h"
#include "track/NumberText.h"
#include "track/TrackLimits.h"

namespace track {

namespace {

std::u16string_view view(const XMLCh* text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

std::string toUtf8(const XMLCh* text, std::size_t length) {
  if (!text || length == 0) return {};
  xercesc::TranscodeToStr utf8(text, length, "UTF-8");
  return std::string(reinterpret_cast<const char*>(utf8.str()), utf8.length());
}

std::string toUtf8(const XMLCh* text) {
  return toUtf8(text, view(text).size());
}

// Numbers are plain ASCII; anything else only ends the number.
std::string toAscii(std::u16string_view text) {
  std::string ascii(text.size(), '\x7f');
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] < 0x80) ascii[i] = static_cast<char>(text[i]);
  }
  return ascii;
}

// The direction across the path at P, 90 degrees clockwise on screen from the mean direction of
// travel from A through P to B.
double crossDirection(const TrackPoint& a, const TrackPoint& p, const TrackPoint& b) {
  const double in = std::atan2((p.y - a.y) * 0.5, (p.x - a.x) * 0.5);
  const double out = std::atan2((b.y - p.y) * 0.5, (b.x - p.x) * 0.5);
  double mean;
  if ((in < 0 && out < 0) || (in >= 0 && out >= 0) || std::fabs(in) + std::fabs(out) <= common::kPi)
    mean = (in + out) / 2;
  else
    mean = (in + out + common::kTwoPi) / 2;
  return mean + common::kHalfPi;
}

}  // namespace

void ImportHandler::startElement(const XMLCh* const, const XMLCh* const localname,
                                 const XMLCh* const, const xercesc::Attributes&) {
  const std::u16string_view name = view(localname);
  if (name == u"point" || name == u"position") {
    records_.emplace_back();
    current_ = records_.size() - 1;
    return;
  }
  fieldText_.clear();
  if (name == u"x")
    field_ = Field::X;
  else if (name == u"y")
    field_ = Field::Y;
  else if (name == u"width")
    field_ = Field::Width;
  else if (name == u"offset")
    field_ = Field::Offset;
  else if (name == u"rotation")
    field_ = Field::Rotation;
  else if (name == u"title")
    field_ = Field::Title;
  else if (name == u"background")
    field_ = Field::Background;
  else if (name == u"theme")
    field_ = Field::Theme;
  else
    field_ = Field::Other;
}

void ImportHandler::endElement(const XMLCh* const, const XMLCh* const localname,
                               const XMLCh* const) {
  const std::u16string_view name = view(localname);
  if (current_ && name == u"point") points_.push_back(*current_);
  if (current_ && name == u"position") positions_.push_back(*current_);
  field_ = Field::None;
  fieldText_.clear();
}

void ImportHandler::characters(const XMLCh* const chars, const XMLSize_t length) {
  if (field_ == Field::None || field_ == Field::Other) return;
  // The parser may hand over one element's text in several pieces (around entity references,
  // for instance); the value is always read from all of it so far.
  fieldText_.append(chars, length);
  applyText();
}

void ImportHandler::applyText() {
  if (field_ == Field::Title) {
    title_ = toUtf8(fieldText_.data(), fieldText_.size());
    return;
  }
  if (field_ == Field::Background) {
    background_ = toUtf8(fieldText_.data(), fieldText_.size());
    return;
  }
  if (field_ == Field::Theme) {
    theme_ = toUtf8(fieldText_.data(), fieldText_.size());
    return;
  }
  // A value before the first point or position has no record to go to and is ignored.
  if (!current_) return;

  const DecimalText number = parseDecimalText(toAscii(fieldText_));
  if (!number.finite || std::fabs(number.value) > limits::kMaxFileValue) {
    raiseError("The track file holds a number that is not usable: \"" + toAscii(fieldText_) +
               "\".");
    return;
  }
  TrackPoint& record = records_[*current_];
  switch (field_) {
    case Field::X:
      record.x = number.value;
      break;
    case Field::Y:
      record.y = number.value;
      break;
    case Field::Width:
      record.width = number.value;
      break;
    case Field::Offset:
      record.offset = number.value;
      break;
    case Field::Rotation:
      record.rotation = number.value;
      break;
    default:
      break;
  }
}

void ImportHandler::warning(const xercesc::SAXParseException&) {}

void ImportHandler::error(const xercesc::SAXParseException& exc) {
  raiseError("The track file is not valid XML (line " + std::to_string(exc.getLineNumber()) + ": " +
             toUtf8(exc.getMessage()) + ").");
}

void ImportHandler::fatalError(const xercesc::SAXParseException& exc) {
  error(exc);
}

void ImportHandler::resetErrors() {
  error_ = false;
  failureText_.clear();
}

void ImportHandler::startDTD(const XMLCh* const, const XMLCh* const, const XMLCh* const) {
  raiseError("Track files may not declare a document type.");
  throw xercesc::SAXException("document type declarations are refused");
}

xercesc::InputSource* ImportHandler::resolveEntity(const XMLCh* const, const XMLCh* const) {
  raiseError("Track files may not refer to other files.");
  throw xercesc::SAXException("external entities are refused");
}

void ImportHandler::raiseError(const std::string& text) {
  error_ = true;
  setFailureText(text);
}

std::vector<TrackPoint> ImportHandler::recordsOf(const std::vector<std::size_t>& indices) const {
  std::vector<TrackPoint> list;
  list.reserve(indices.size());
  for (std::size_t index : indices) list.push_back(records_[index]);
  return list;
}

std::unique_ptr<TrackData> ImportHandler::buildTrack() {
  std::vector<TrackPoint> file = pathPoints();
  if (file.empty()) {
    setFailureText("The track has no path points.");
    return nullptr;
  }
  // One point makes no loop: there would be no direction of travel and no road.
  if (file.size() < 2) {
    setFailureText("The track needs at least two path points.");
    return nullptr;
  }

  const std::size_t count = file.size();
  std::vector<double> rotations(count);
  for (std::size_t i = 0; i < count; ++i) {
    rotations[i] = crossDirection(file[(i + count - 1) % count], file[i], file[(i + 1) % count]);
  }

  auto track = std::make_unique<TrackData>();
  track->points.reserve(count);
  // The file's first point is the finish line; it goes last so that lap counting meets it at the
  // end of the list.
  for (std::size_t k = 1; k <= count; ++k) {
    const std::size_t i = k % count;
    TrackPoint point = file[i];
    point.rotation = rotations[i];
    if (point.x + point.width > track->extentX)
      track->extentX = static_cast<std::int32_t>(point.x + point.width);
    if (point.y + point.width > track->extentY)
      track->extentY = static_cast<std::int32_t>(point.y + point.width);
    track->points.push_back(point);
  }
  track->positions = startPositions();
  track->title = title();
  track->background = background();
  track->theme = theme();
  return track;
}

}  // namespace track
