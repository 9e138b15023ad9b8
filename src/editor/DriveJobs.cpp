#include "editor/DriveJobs.h"

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <vector>

#include "platform/Desktop.h"
#include "track/TrackWriter.h"

namespace editor {

namespace {

namespace fs = std::filesystem;

// "mm:ss.mmm" as the race prints its times.
const std::regex& timePattern() {
  static const std::regex pattern(R"(\d+:\d\d\.\d{3})");
  return pattern;
}

std::string lastLine(const std::string& text) {
  std::istringstream lines(text);
  std::string line, last;
  while (std::getline(lines, line)) {
    if (!line.empty()) last = line;
  }
  return last;
}

}  // namespace

TemporaryTracks::~TemporaryTracks() {
  if (folder_.empty()) return;
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::string TemporaryTracks::write(const track::TrackData& track, const std::string& fileName,
                                   const std::string& picture, std::string* error) {
  if (folder_.empty()) {
    std::error_code failure;
    std::string pattern = (fs::temp_directory_path(failure) / "solvern-XXXXXX").string();
    if (failure || ::mkdtemp(pattern.data()) == nullptr) {
      if (error != nullptr) *error = "cannot make a temporary folder";
      return {};
    }
    folder_ = pattern + "/";
  }
  const std::string path = folder_ + fileName;
  if (!track::saveTrackFile(track, path, error)) return {};
  if (!picture.empty() && !track.background.empty()) {
    std::error_code ignored;
    const std::string link = folder_ + track.background;
    fs::remove(link, ignored);
    fs::create_symlink(fs::absolute(picture, ignored), link, ignored);
  }
  return path;
}

bool ComputerLap::start(const std::string& trackCopy, int cars, std::string* error) {
  cars_ = cars;
  return process_.start(
      kGameProgram,
      {"--race", trackCopy, "--cars", std::to_string(cars), "--laps", "1", "--headless"}, error);
}

bool ComputerLap::poll() {
  return process_.poll();
}

std::string ComputerLap::result() const {
  return resultOf(process_.output(), process_.exitStatus(), cars_);
}

std::string ComputerLap::resultOf(const std::string& output, int exitStatus, int cars) {
  if (exitStatus != 0 && exitStatus != 2) {
    const std::string why = lastLine(output);
    return "The race could not run" + (why.empty() ? std::string(".") : ": " + why);
  }
  // The best lap is the last time on each row of the result table.
  std::string fastest;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::string last;
    for (std::sregex_iterator it(line.begin(), line.end(), timePattern()), end; it != end; ++it) {
      last = it->str();
    }
    if (!last.empty() && (fastest.empty() || last < fastest)) fastest = last;
  }
  const std::string lap = fastest.empty() ? "" : "; fastest lap " + fastest;
  if (exitStatus == 0) {
    return (cars == 1 ? std::string("The computer car finished")
                      : "All " + std::to_string(cars) + " computer cars finished") +
           lap + ".";
  }
  return "Not every computer car finished" + lap + ".";
}

bool startTestDrive(const std::string& trackCopy, int cars, std::string* error) {
  return platform::startProgram(kGameProgram, {"--race", trackCopy, "--cars", std::to_string(cars)},
                                error);
}

}  // namespace editor
