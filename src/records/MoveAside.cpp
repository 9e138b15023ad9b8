#include "records/MoveAside.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/Text.h"

namespace records {
namespace {

bool present(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// rename(2) that fails instead of replacing an existing name.
bool renameNoReplace(const std::string& from, const std::string& to) {
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

std::string stamp(std::int64_t when) {
  return platform::localTimeText(when, "%Y%m%d-%H%M%S");
}

}  // namespace

std::optional<std::string> moveAside(const std::string& path, const std::string& reason,
                                     std::int64_t when, std::string* error) {
  const std::string base = path + "." + reason + "-" + stamp(when);
  for (int n = 1; n < 1000; ++n) {
    const std::string target = n == 1 ? base : base + "-" + std::to_string(n);
    if (present(target)) continue;
    if (!renameNoReplace(path, target)) {
      if (errno == EEXIST) continue;
      if (error != nullptr) *error = std::strerror(errno);
      return std::nullopt;
    }
    // A journal belongs to its database: left behind, it would be applied to the fresh one.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
      if (present(path + suffix)) renameNoReplace(path + suffix, target + suffix);
    }
    return target;
  }
  if (error != nullptr) *error = "no free name beside it";
  return std::nullopt;
}

}  // namespace records
