#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <xercesc/sax2/DefaultHandler.hpp>

#include "track/TrackData.h"

namespace track {

// Collects a track file's records during one SAX2 parse and builds the track from them.
// Elements are known by their local name alone, so nesting and wrapper elements do not matter.
class ImportHandler : public xercesc::DefaultHandler {
 public:
  ImportHandler() = default;
  ImportHandler(const ImportHandler&) = delete;
  ImportHandler& operator=(const ImportHandler&) = delete;
  ~ImportHandler() override = default;

  void startElement(const XMLCh* const uri, const XMLCh* const localname, const XMLCh* const qname,
                    const xercesc::Attributes& attrs) override;
  void endElement(const XMLCh* const uri, const XMLCh* const localname,
                  const XMLCh* const qname) override;
  void characters(const XMLCh* const chars, const XMLSize_t length) override;

  void warning(const xercesc::SAXParseException& exc) override;
  void error(const xercesc::SAXParseException& exc) override;
  void fatalError(const xercesc::SAXParseException& exc) override;
  void resetErrors() override;

  // Track files never need a document type, and one could pull in outside files or expand
  // entities without end: the parse is stopped at the DOCTYPE.
  void startDTD(const XMLCh* const name, const XMLCh* const publicId,
                const XMLCh* const systemId) override;
  xercesc::InputSource* resolveEntity(const XMLCh* const publicId,
                                      const XMLCh* const systemId) override;

  // The track made from what was collected, or none. Called once after the parse.
  virtual std::unique_ptr<TrackData> buildTrack();

  bool hasError() const { return error_; }
  // Why the load failed: the first error met, or why buildTrack gave no track.
  const std::string& failureText() const { return failureText_; }

 protected:
  std::vector<TrackPoint> pathPoints() const { return recordsOf(points_); }
  std::vector<TrackPoint> startPositions() const { return recordsOf(positions_); }
  const std::string& title() const { return title_; }
  const std::string& background() const { return background_; }
  const std::string& theme() const { return theme_; }
  void setFailureText(const std::string& text) {
    if (failureText_.empty()) failureText_ = text;
  }

 private:
  enum class Field { None, X, Y, Width, Offset, Rotation, Title, Background, Theme, Other };

  void raiseError(const std::string& text);
  void applyText();
  std::vector<TrackPoint> recordsOf(const std::vector<std::size_t>& indices) const;

  // Every record opened by a `point` or `position` start tag. The lists hold indices into it,
  // because a record stays current after its end tag and later values still change it.
  std::vector<TrackPoint> records_;
  std::vector<std::size_t> points_;
  std::vector<std::size_t> positions_;
  std::optional<std::size_t> current_;
  Field field_ = Field::None;
  std::u16string fieldText_;  // the current element's text so far
  std::string title_;
  std::string background_;
  std::string theme_;
  bool error_ = false;
  std::string failureText_;
};

}  // namespace track
