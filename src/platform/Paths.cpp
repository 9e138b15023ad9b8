#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

namespace platform {

namespace {

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

std::string executableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return withSlash(std::filesystem::current_path().string());
  return withSlash(exe.parent_path().string());
}

std::string& folderStore() {
  static std::string folder = executableFolder();
  return folder;
}

}  // namespace

const std::string& programFolder() {
  return folderStore();
}

void setProgramFolder(const std::string& folder) {
  folderStore() = withSlash(folder.empty() ? std::string(".") : folder);
}

}  // namespace platform
