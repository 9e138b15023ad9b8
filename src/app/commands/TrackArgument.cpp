#include "app/commands/TrackArgument.h"

#include <filesystem>
#include <system_error>

#include "track/TrackFolders.h"

namespace app {

std::string trackArgumentPath(const std::string& name) {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(name, ignored)) return name;
  return track::trackFolders().trackFile(name);
}

}  // namespace app
