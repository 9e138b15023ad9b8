#include "platform/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/Paths.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

// Folder names compared as paths, so "a/b/", "a//b/./" and its absolute form are one folder.
std::string normalFolder(const std::string& folder) {
  std::error_code error;
  fs::path path = fs::absolute(folder, error);
  if (error) path = folder;
  return withSlash(path.lexically_normal().string());
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The generator's picture name: the track file's name without ".rst", then ".png".
std::string generatedNameOf(const std::string& trackFile) {
  std::string name = fileNameOf(trackFile);
  static const std::string kExtension = ".rst";
  if (name.size() >= kExtension.size() &&
      name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) == 0) {
    name.resize(name.size() - kExtension.size());
  }
  return name + ".png";
}

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
                  env_.writable(shippedTracksFolder());
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

std::string UserFolders::shippedTracksFolder() const {
  return env_.programFolder + "tracks/";
}

std::string UserFolders::userTracksFolder() const {
  return dataFolder() + "tracks/";
}

std::vector<std::string> UserFolders::trackFolders() const {
  std::vector<std::string> folders{shippedTracksFolder()};
  if (!home().empty() && normalFolder(userTracksFolder()) != normalFolder(shippedTracksFolder())) {
    folders.push_back(userTracksFolder());
  }
  return folders;
}

std::string UserFolders::trackFile(const std::string& name) const {
  const std::vector<std::string> folders = trackFolders();
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    if (exists(*it + name)) return *it + name;
  }
  return shippedTracksFolder() + name;
}

std::string UserFolders::generatedBackgroundsFolder() const {
  return treeWritable_ ? shippedTracksFolder() : userTracksFolder();
}

std::string UserFolders::generatedBackgroundFile(const std::string& trackFile) const {
  const std::string path =
      trackFile.find('/') == std::string::npos ? this->trackFile(trackFile) : trackFile;
  const std::string folder = folderOf(path);
  // Beside the track when the game may write there: the shipped folder of a writable tree, or
  // a folder of the player's own.
  const bool shipped = normalFolder(folder) == normalFolder(shippedTracksFolder());
  const bool besideTrack = shipped ? treeWritable_ : env_.writable(folder);
  return (besideTrack ? folder : generatedBackgroundsFolder()) + generatedNameOf(path);
}

std::vector<std::string> UserFolders::backgroundCandidates(
    const std::string& trackPath, const std::string& namedBackground) const {
  const std::string folder = folderOf(trackPath);
  const std::string generated = generatedNameOf(trackPath);
  std::vector<std::string> candidates;
  auto add = [&candidates](const std::string& path) {
    const std::string normal = normalFolder(folderOf(path)) + fileNameOf(path);
    for (const std::string& known : candidates) {
      if (normalFolder(folderOf(known)) + fileNameOf(known) == normal) return;
    }
    candidates.push_back(path);
  };
  if (!namedBackground.empty()) add(folder + namedBackground);
  add(folder + generated);
  add(generatedBackgroundsFolder() + generated);
  if (!home().empty()) add(userTracksFolder() + generated);
  return candidates;
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
  const std::time_t time = static_cast<std::time_t>(localTime);
  std::tm parts{};
  localtime_r(&time, &parts);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
  const std::string base = withSlash(folder) + "kelvane-" + stamp;
  std::string name = base + ".png";
  for (int n = 2; exists(name); ++n) name = base + "-" + std::to_string(n) + ".png";
  return name;
}

}  // namespace platform
