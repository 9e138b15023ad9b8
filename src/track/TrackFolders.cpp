#include "track/TrackFolders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/Paths.h"

namespace track {

namespace {

namespace fs = std::filesystem;

// Folder names compared as paths, so "a/b/", "a//b/./" and its absolute form are one folder.
std::string normalFolder(const std::string& folder) {
  std::error_code error;
  fs::path path = fs::absolute(folder, error);
  if (error) path = folder;
  return platform::withSlash(path.lexically_normal().string());
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

}  // namespace

TrackFolders::TrackFolders(platform::UserFolders folders) : folders_(std::move(folders)) {}

std::string TrackFolders::shippedTracksFolder() const {
  return folders_.treeFolder() + platform::UserFolders::kTreeTracksFolder;
}

std::string TrackFolders::userTracksFolder() const {
  return folders_.dataFolder() + "tracks/";
}

std::vector<std::string> TrackFolders::savedFolders() const {
  const std::string options = folders_.optionsFile();
  const std::string optionsFolder = options.substr(0, options.rfind('/') + 1);
  std::vector<std::string> folders;
  for (const std::string& folder : {optionsFolder, generatedBackgroundsFolder(), userTracksFolder(),
                                    folders_.screenshotsFolder()}) {
    const bool seen = std::any_of(folders.begin(), folders.end(), [&](const std::string& other) {
      return normalFolder(other) == normalFolder(folder);
    });
    if (!seen) folders.push_back(folder);
  }
  return folders;
}

std::vector<std::string> TrackFolders::trackFolders() const {
  std::vector<std::string> folders{shippedTracksFolder()};
  if (folders_.hasHome() &&
      normalFolder(userTracksFolder()) != normalFolder(shippedTracksFolder())) {
    folders.push_back(userTracksFolder());
  }
  return folders;
}

std::string TrackFolders::trackFile(const std::string& name) const {
  const std::vector<std::string> folders = trackFolders();
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    if (exists(*it + name)) return *it + name;
  }
  return shippedTracksFolder() + name;
}

std::string TrackFolders::generatedBackgroundsFolder() const {
  return folders_.treeWritable() ? shippedTracksFolder() : userTracksFolder();
}

std::string TrackFolders::generatedBackgroundFile(const std::string& trackFile) const {
  const std::string path =
      trackFile.find('/') == std::string::npos ? this->trackFile(trackFile) : trackFile;
  const std::string folder = folderOf(path);
  // Beside the track when the game may write there: the shipped folder of a writable tree, or
  // a folder of the player's own.
  const bool shipped = normalFolder(folder) == normalFolder(shippedTracksFolder());
  const bool besideTrack = shipped ? folders_.treeWritable() : folders_.writable(folder);
  return (besideTrack ? folder : generatedBackgroundsFolder()) + generatedNameOf(path);
}

std::vector<std::string> TrackFolders::backgroundCandidates(
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
  if (folders_.hasHome()) add(userTracksFolder() + generated);
  return candidates;
}

TrackFolders trackFolders() {
  return TrackFolders(platform::userFolders());
}

}  // namespace track
