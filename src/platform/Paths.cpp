#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

// The install rules define where the share folder lies relative to bin/; a plain build keeps
// the usual layout.
#ifndef KELVANE_RELATIVE_DATA_DIR
#define KELVANE_RELATIVE_DATA_DIR "../share/kelvane"
#endif

namespace platform {

namespace {

std::string executableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return withSlash(std::filesystem::current_path().string());
  return withSlash(exe.parent_path().string());
}

bool isFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

FoundTree& treeStore() {
  static FoundTree tree = findRunTimeTree(executableFolder());
  return tree;
}

}  // namespace

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

FoundTree findRunTimeTree(const std::string& folder) {
  const std::filesystem::path beside(withSlash(folder));
  if (isFolder(beside / "tracks") || isFolder(beside / "images")) {
    return {beside.string(), DataLocation::BesideProgram};
  }
  const std::filesystem::path installed = beside / KELVANE_RELATIVE_DATA_DIR;
  if (isFolder(installed)) {
    return {withSlash(installed.lexically_normal().string()), DataLocation::Installed};
  }
  return {beside.string(), DataLocation::BesideProgram};
}

const std::string& programFolder() {
  return treeStore().folder;
}

void setProgramFolder(const std::string& folder) {
  setProgramFolder(folder, DataLocation::Given);
}

void setProgramFolder(const std::string& folder, DataLocation location) {
  treeStore() = {withSlash(folder.empty() ? std::string(".") : folder), location};
}

DataLocation dataLocation() {
  return treeStore().location;
}

}  // namespace platform
