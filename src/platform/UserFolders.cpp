#include "platform/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/Paths.h"
#include "platform/Text.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

bool exists(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}

// A file or folder can be written when it exists and access() allows it, or when it does not
// exist yet and its nearest existing parent allows creating it.
bool accessWritable(const std::string& path) {
  fs::path probe = fs::path(path).lexically_normal();
  if (probe.has_filename() == false) probe = probe.parent_path();
  while (!probe.empty() && !exists(probe.string())) probe = probe.parent_path();
  if (probe.empty()) probe = ".";
  return ::access(probe.c_str(), W_OK) == 0;
}

std::string passwordHome() {
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) != 0 || found == nullptr ||
      found->pw_dir == nullptr) {
    return "";
  }
  return found->pw_dir;
}

}  // namespace

FolderEnvironment FolderEnvironment::fromProcess() {
  FolderEnvironment env;
  env.programFolder = platform::programFolder();
  env.installedTree = dataLocation() == DataLocation::Installed;
  env.variable = [](const std::string& name) -> std::optional<std::string> {
    const char* value = std::getenv(name.c_str());
    if (value != nullptr && *value != '\0') return std::string(value);
    // A session without HOME (started by a service manager) still has a home folder.
    if (name == "HOME") {
      std::string home = passwordHome();
      if (!home.empty()) return home;
    }
    return std::nullopt;
  };
  env.writable = accessWritable;
  return env;
}

UserFolders::UserFolders(FolderEnvironment environment) : env_(std::move(environment)) {
  env_.programFolder = withSlash(env_.programFolder);
  if (!env_.variable) env_.variable = [](const std::string&) { return std::nullopt; };
  if (!env_.writable) env_.writable = [](const std::string&) { return true; };
  treeWritable_ = !env_.installedTree && env_.writable(env_.programFolder) &&
                  env_.writable(env_.programFolder + "options.ini") &&
                  env_.writable(env_.programFolder + kTreeTracksFolder);
  // Without a home folder there is nowhere else to go: the tree is all there is.
  if (home().empty()) treeWritable_ = true;
}

std::string UserFolders::variableOr(const std::string& name, const std::string& fallback) const {
  const std::optional<std::string> value = env_.variable(name);
  // The base-directory rules ignore relative values.
  if (value && !value->empty() && value->front() == '/') return withSlash(*value);
  return fallback;
}

std::string UserFolders::home() const {
  const std::optional<std::string> value = env_.variable("HOME");
  return value && !value->empty() ? withSlash(*value) : std::string();
}

std::string UserFolders::configHome() const {
  return variableOr("XDG_CONFIG_HOME", home() + ".config/");
}

std::string UserFolders::configFolder() const {
  return configHome() + "kelvane/";
}

std::string UserFolders::dataFolder() const {
  return variableOr("XDG_DATA_HOME", home() + ".local/share/") + "kelvane/";
}

std::string UserFolders::optionsFile() const {
  return (treeWritable_ ? env_.programFolder : configFolder()) + "options.ini";
}

std::string UserFolders::optionsSeedFile() const {
  return treeWritable_ ? std::string() : env_.programFolder + "options.ini";
}

std::string UserFolders::recordsFile() const {
  return (treeWritable_ ? env_.programFolder : dataFolder()) + "records.db";
}

std::string UserFolders::picturesFolderFromUserDirs() const {
  std::ifstream in(configHome() + "user-dirs.dirs");
  static const std::string kKey = "XDG_PICTURES_DIR=";
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, kKey.size(), kKey) != 0) continue;
    std::string value = line.substr(start + kKey.size());
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
      value.pop_back();
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    // The file allows "$HOME/…" or an absolute path and nothing else.
    static const std::string kHome = "$HOME";
    if (value.compare(0, kHome.size(), kHome) == 0) {
      const std::string rest = value.substr(kHome.size());
      value = home() + (rest.empty() || rest.front() != '/' ? rest : rest.substr(1));
    }
    if (!value.empty() && value.front() == '/') return withSlash(value);
  }
  return "";
}

std::string UserFolders::screenshotsFolder() const {
  std::string pictures = variableOr("XDG_PICTURES_DIR", "");
  if (pictures.empty()) pictures = picturesFolderFromUserDirs();
  if (pictures.empty()) pictures = home().empty() ? env_.programFolder : home() + "Pictures/";
  return pictures + "kelvane/";
}

UserFolders userFolders() {
  return UserFolders(FolderEnvironment::fromProcess());
}

bool ensureFolder(const std::string& folder, std::string* error) {
  std::error_code failure;
  fs::create_directories(folder, failure);
  if (fs::is_directory(folder, failure)) return true;
  if (error != nullptr) {
    *error = "cannot create the folder \"" + folder + "\"" +
             (failure ? ": " + failure.message() : std::string());
  }
  return false;
}

std::string screenshotFileName(const std::string& folder, long long localTime) {
  const std::string base =
      withSlash(folder) + "kelvane-" + localTimeText(localTime, "%Y%m%d-%H%M%S");
  std::string name = base + ".png";
  for (int n = 2; exists(name); ++n) name = base + "-" + std::to_string(n) + ".png";
  return name;
}

}  // namespace platform
