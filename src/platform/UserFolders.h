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
// a player's own tracks are found too. All folder names end with '/'.
class UserFolders {
 public:
  explicit UserFolders(FolderEnvironment environment);

  // Whether the run-time tree itself takes the files the game writes.
  bool treeWritable() const { return treeWritable_; }

  // $XDG_CONFIG_HOME/kelvane/ (default ~/.config/kelvane/).
  std::string configFolder() const;
  // $XDG_DATA_HOME/kelvane/ (default ~/.local/share/kelvane/).
  std::string dataFolder() const;

  // The "options.ini" the game reads at start and writes at exit.
  std::string optionsFile() const;
  // The tree's "options.ini" that a first start in the user's folder begins from; empty when
  // the options live in the tree anyway.
  std::string optionsSeedFile() const;

  // The player's records (a database): "records.db" beside the program in a writable tree,
  // else in dataFolder().
  std::string recordsFile() const;

  // The tracks shipped with the game: programFolder + "tracks/".
  std::string shippedTracksFolder() const;
  // $XDG_DATA_HOME/kelvane/tracks/: a player's own tracks and, for a read-only tree, the
  // generated backgrounds.
  std::string userTracksFolder() const;
  // Every folder whose tracks the track list shows: the shipped one first, then the user's
  // (unless it is the same folder).
  std::vector<std::string> trackFolders() const;
  // The full path of the track file `name` (a file name without folder). The user's folder
  // wins over the shipped one, so a player's edited copy replaces the original; a name found
  // nowhere is answered in the shipped folder, where opening it then fails as before.
  std::string trackFile(const std::string& name) const;

  // Where a generated background is saved.
  std::string generatedBackgroundsFolder() const;
  // The picture the generator writes for `trackFile` (a name or a path; ".rst" is dropped).
  std::string generatedBackgroundFile(const std::string& trackFile) const;
  // The pictures that may serve as the background of the track at `trackPath`, in the order to
  // try: the one the track names (beside the track file), the generated one beside the track
  // file, the generated one in generatedBackgroundsFolder(). No duplicates; `namedBackground`
  // may be empty (then it is left out).
  std::vector<std::string> backgroundCandidates(const std::string& trackPath,
                                                const std::string& namedBackground) const;

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
