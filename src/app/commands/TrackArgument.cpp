#include "app/commands/TrackArgument.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/SafeSave.h"
#include "platform/UserFolders.h"
#include "track/TrackFolders.h"
#include "track/TrackLimits.h"

namespace app {

namespace {

// Why `path` cannot be read as a track file, or "" when it can.
std::string problemWith(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::strerror(errno);
  if (!S_ISREG(status.st_mode))
    return "it is " + platform::describeFileKind(status.st_mode) + ", not a track file";
  if (static_cast<std::uintmax_t>(status.st_size) > track::limits::kMaxFileBytes) {
    return "it is larger than " + std::to_string(track::limits::kMaxFileBytes / (1024 * 1024)) +
           " MB, too large for a track file";
  }
  return "";
}

}  // namespace

std::optional<std::string> resolveTrackArgument(const std::string& track, std::string* error) {
  if (track.empty()) {
    *error = "no track file was given";
    return std::nullopt;
  }
  struct stat status {};
  const bool exists = ::stat(track.c_str(), &status) == 0;
  // A bare name that is not here is looked for in the tracks folders.
  const std::string path = exists || track.find('/') != std::string::npos
                               ? track
                               : track::trackFolders().trackFile(track);
  const std::string problem = problemWith(path);
  if (problem.empty()) return path;
  *error = "cannot read the track \"" + path + "\": " + problem;
  return std::nullopt;
}

}  // namespace app
