#include "track/TrackLoader.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/TransService.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "platform/Text.h"
#include "track/Geometry.h"
#include "track/ImportHandler.h"
#include "track/LevelInfo.h"
#include "track/TrackLimits.h"

namespace track {

namespace {

// Xerces must be initialised while any of its objects live; Initialize and Terminate are
// counted, so other users are safe.
class XmlPlatform {
 public:
  XmlPlatform() { xercesc::XMLPlatformUtils::Initialize(); }
  ~XmlPlatform() { xercesc::XMLPlatformUtils::Terminate(); }
  XmlPlatform(const XmlPlatform&) = delete;
  XmlPlatform& operator=(const XmlPlatform&) = delete;
};

// Started once, the first time a track is read, and stopped at exit: starting and stopping it
// for every file cost more than reading a small track (a folder of 500 tracks took seconds), and
// starting it is not safe while another thread reads (the track list reads its titles on a
// thread of its own). Parsers of their own on several threads are.
bool startXerces() {
  static const std::unique_ptr<XmlPlatform> platform = []() -> std::unique_ptr<XmlPlatform> {
    try {
      return std::make_unique<XmlPlatform>();
    } catch (...) {
      return nullptr;
    }
  }();
  return platform != nullptr;
}

std::string messageOf(const XMLCh* text) {
  if (!text || !*text) return {};
  xercesc::TranscodeToStr utf8(text, "UTF-8");
  return std::string(reinterpret_cast<const char*>(utf8.str()), utf8.length());
}

void setReason(std::string* reason, const std::string& text) {
  if (reason) *reason = text;
}

// The whole file, read by us: the parser then sees only these bytes and never opens a file or
// a network address of its own.
bool readTrackFile(const std::string& path, std::string& contents, std::string* reason) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) {
    setReason(reason, "The track file cannot be opened.");
    return false;
  }
  if (size > limits::kMaxFileBytes) {
    setReason(reason, "The track file is too large (over " +
                          std::to_string(limits::kMaxFileBytes / (1024 * 1024)) + " MB).");
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    setReason(reason, "The track file cannot be opened.");
    return false;
  }
  contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    setReason(reason, "The track file cannot be read.");
    return false;
  }
  return true;
}

void configureSafely(xercesc::SAX2XMLReader& reader, xercesc::SecurityManager& security) {
  using xercesc::XMLUni;
  reader.setFeature(XMLUni::fgSAX2CoreValidation, false);
  reader.setFeature(XMLUni::fgXercesLoadExternalDTD, false);
  reader.setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
  // The handler refuses any DOCTYPE already; the expansion limit guards against entities all the
  // same.
  security.setEntityExpansionLimit(100);
  reader.setProperty(XMLUni::fgXercesSecurityManager, &security);
}

std::unique_ptr<TrackData> load(ImportHandler& handler, const std::string& path,
                                std::string* reason) {
  std::string contents;
  if (!readTrackFile(path, contents, reason)) return nullptr;

  if (!startXerces()) {
    setReason(reason, "The XML parser cannot be started.");
    return nullptr;
  }

  std::unique_ptr<TrackData> track;
  std::string failure;
  try {
    xercesc::SecurityManager security;
    std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
    configureSafely(*reader, security);
    reader->setContentHandler(&handler);
    reader->setErrorHandler(&handler);
    reader->setLexicalHandler(&handler);
    reader->setEntityResolver(&handler);
    handler.resetErrors();

    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(contents.data()),
                                      contents.size(), "track");
    reader->parse(source);
    track = handler.buildTrack();
  } catch (const xercesc::OutOfMemoryException&) {
    failure = "The track file is too large to read.";
  } catch (const xercesc::XMLException& e) {
    failure = "The track file cannot be read: " + messageOf(e.getMessage());
  } catch (const xercesc::SAXException& e) {
    failure = "The track file cannot be read: " + messageOf(e.getMessage());
  } catch (const std::exception& e) {
    failure = std::string("The track file cannot be read: ") + e.what();
  } catch (...) {
    failure = "The track file cannot be read.";
  }

  // The handler's own account comes first: it knows which element or line was wrong.
  if (handler.hasError() || !failure.empty() || !track) {
    std::string text = handler.failureText();
    if (text.empty()) text = failure;
    if (text.empty()) text = "The track file holds no track.";
    setReason(reason, text);
    return nullptr;
  }
  return track;
}

// The track list shows the title; a file without one is shown by its name.
void defaultTitle(TrackData& track, const std::string& path) {
  if (track.title.empty()) track.title = std::filesystem::path(path).stem().string();
  track.title = platform::limitText(track.title, limits::kMaxTitleCharacters);
}

}  // namespace

std::unique_ptr<TrackData> importTrack(const std::string& path, std::string* reason) {
  ImportHandler handler;
  std::unique_ptr<TrackData> track = load(handler, path, reason);
  if (!track) return nullptr;
  // The background generator rasterises at the finest cell size; what fits there fits the race.
  std::string tooLarge;
  if (!surfaceMapFits(*track, limits::kMinCellSize, &tooLarge)) {
    setReason(reason, tooLarge);
    return nullptr;
  }
  if (rasterisedCells(*track, limits::kMinCellSize) > limits::kMaxRasterCells) {
    setReason(reason, "The track's road is too long or winds too much to be drawn.");
    return nullptr;
  }
  defaultTitle(*track, path);
  return track;
}

std::unique_ptr<TrackData> readLevelInfo(const std::string& path, std::string* reason) {
  LevelInfo handler;
  std::unique_ptr<TrackData> track = load(handler, path, reason);
  if (track) defaultTitle(*track, path);
  return track;
}

}  // namespace track
