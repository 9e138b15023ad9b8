#include "editor/SavePlaces.h"

#include <filesystem>

namespace editor {

namespace {

std::string fileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

}  // namespace

std::string savePathFor(const track::TrackFolders& folders, const std::string& trackPath) {
  // The painted background goes where the game may write for this track; so does the track.
  return folderOf(folders.generatedBackgroundFile(trackPath)) + fileNameOf(trackPath);
}

std::string newTracksFolder(const track::TrackFolders& folders) {
  return folders.generatedBackgroundsFolder();
}

std::string fileNameForTitle(const std::string& title) {
  std::string name;
  bool gap = false;
  for (const char c : title) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')) {
      if (gap && !name.empty()) name += '_';
      name += c;
      gap = false;
    } else if (u >= 'A' && u <= 'Z') {
      if (gap && !name.empty()) name += '_';
      name += static_cast<char>(u - 'A' + 'a');
      gap = false;
    } else {
      gap = true;
    }
  }
  if (name.size() > 60) name.resize(60);
  return (name.empty() ? std::string("track") : name) + ".rst";
}

std::string unusedPath(const std::string& folder, const std::string& fileName) {
  namespace fs = std::filesystem;
  const std::string stem = fs::path(fileName).stem().string();
  const std::string extension = fs::path(fileName).extension().string();
  std::string path = folder + fileName;
  std::error_code error;
  for (int n = 2; fs::exists(fs::symlink_status(path, error)); ++n) {
    path = folder + stem + "_" + std::to_string(n) + extension;
  }
  return path;
}

}  // namespace editor
