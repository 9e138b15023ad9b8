#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// What the folder rules depend on. The process's own is fromProcess(); tests build their own,
// because they run as root, where permission bits never stop a write.
struct FolderEnvironment {
  // The run-time tree, ending with '/'.
  std::string programFolder;
  // True for the installed share folder: the game never writes there, not even as root.
  bool installedTree = false;
  // An environment variable, or nothing when unset.
  std::function<std::optional<std::string>(const std::string& name)> variable;
  // Whether the game may create or replace files in this folder (or replace this file).
  std::function<bool(const std::string& path)> writable;

  // The real environment, access(W_OK) and the tree programFolder() found.
  static FolderEnvironment fromProcess();
};

// Where the game reads and writes its files. A writable run-time tree keeps everything beside
// the program, as it always did. An installed, read-only tree leaves the settings to
// $XDG_CONFIG_HOME/kelvane/ and generated backgrounds to $XDG_DATA_HOME/kelvane/tracks/, where
// a player's own tracks are found too (track::TrackFolders knows where tracks and their pictures
// go). All folder names end with '/'.
class UserFolders {
 public:
  // The tree's folder the game writes pictures into (beside the shipped tracks): the tree
  // counts as writable only when this folder, its options file and the tree itself are.
  static constexpr const char* kTreeTracksFolder = "tracks/";

  explicit UserFolders(FolderEnvironment environment);

  // Whether the run-time tree itself takes the files the game writes.
  bool treeWritable() const { return treeWritable_; }
  // The run-time tree, ending with '/'.
  const std::string& treeFolder() const { return env_.programFolder; }
  // Whether the player has a home folder; without one the XDG folders do not exist.
  bool hasHome() const { return !home().empty(); }
  // Whether the game may create or replace files in this folder (or replace this file).
  bool writable(const std::string& path) const { return env_.writable(path); }

  // $XDG_CONFIG_HOME/kelvane/ (default ~/.config/kelvane/).
  std::string configFolder() const;
  // $XDG_DATA_HOME/kelvane/ (default ~/.local/share/kelvane/).
  std::string dataFolder() const;

  // The "options.ini" the game reads at start and writes at exit.
  std::string optionsFile() const;
  // The tree's "options.ini" that a first start in the user's folder begins from; empty when
  // the options live in the tree anyway.
  std::string optionsSeedFile() const;

  // Where F12 screenshots go: $XDG_PICTURES_DIR/kelvane/, with XDG_PICTURES_DIR from the
  // environment, else from user-dirs.dirs in the config home, else ~/Pictures.
  std::string screenshotsFolder() const;

 private:
  std::string variableOr(const std::string& name, const std::string& fallback) const;
  std::string home() const;
  std::string configHome() const;
  std::string picturesFolderFromUserDirs() const;

  FolderEnvironment env_;
  bool treeWritable_ = true;
};

// The folder rules of this process, from the environment and programFolder().
UserFolders userFolders();

// Creates `folder` and its parents. True when it exists afterwards; otherwise `error` says why.
bool ensureFolder(const std::string& folder, std::string* error = nullptr);

// A picture name for a screenshot taken at `localTime` (seconds since the epoch), unused in
// `folder`: "kelvane-YYYYMMDD-HHMMSS.png", with "-2", "-3" … added when taken.
std::string screenshotFileName(const std::string& folder, long long localTime);

}  // namespace platform
