#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "platform/Paths.h"
#include "platform/UserFolders.h"
#include "support/TestSupport.h"

using platform::FolderEnvironment;
using platform::UserFolders;

namespace {

// A scripted environment: the variables given, and a tree that is writable or not. Tests run as
// root, where permission bits never stop a write, so writability is decided here.
struct FakeEnvironment {
  std::string tree = "/opt/kelvane/";
  std::map<std::string, std::string> variables{{"HOME", "/home/ann"}};
  bool treeWritable = true;
  bool installed = false;
  std::set<std::string> readOnly;  // further folders the game may not write to

  UserFolders folders() const {
    FolderEnvironment env;
    env.programFolder = tree;
    env.installedTree = installed;
    const auto vars = variables;
    env.variable = [vars](const std::string& name) -> std::optional<std::string> {
      auto it = vars.find(name);
      if (it == vars.end()) return std::nullopt;
      return it->second;
    };
    const std::string root = tree;
    const bool writable = treeWritable;
    const auto locked = readOnly;
    env.writable = [root, writable, locked](const std::string& path) {
      if (path.compare(0, root.size(), root) == 0) return writable;
      for (const std::string& folder : locked) {
        if (path.compare(0, folder.size(), folder) == 0) return false;
      }
      return true;
    };
    return UserFolders(env);
  }
};

// Sets (or unsets) an environment variable for one test and puts the old value back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace

TEST(UserFolders, AWritableTreeKeepsEverythingBesideTheProgram) {
  const FakeEnvironment env;
  const UserFolders folders = env.folders();
  EXPECT_TRUE(folders.treeWritable());
  EXPECT_EQ(folders.optionsFile(), "/opt/kelvane/options.ini");
  EXPECT_EQ(folders.recordsFile(), "/opt/kelvane/records.db");
  EXPECT_EQ(folders.optionsSeedFile(), "");
  EXPECT_EQ(folders.generatedBackgroundsFolder(), "/opt/kelvane/tracks/");
  EXPECT_EQ(folders.generatedBackgroundFile("meadow_loop.rst"),
            "/opt/kelvane/tracks/meadow_loop.png");
  // The player's own tracks are listed all the same.
  EXPECT_EQ(
      folders.trackFolders(),
      (std::vector<std::string>{"/opt/kelvane/tracks/", "/home/ann/.local/share/kelvane/tracks/"}));
}

TEST(UserFolders, AReadOnlyTreeSendsSettingsAndBackgroundsToTheUsersFolders) {
  FakeEnvironment env;
  env.treeWritable = false;
  env.variables["XDG_CONFIG_HOME"] = "/home/ann/cfg";
  env.variables["XDG_DATA_HOME"] = "/home/ann/data/";
  const UserFolders folders = env.folders();
  EXPECT_FALSE(folders.treeWritable());
  EXPECT_EQ(folders.optionsFile(), "/home/ann/cfg/kelvane/options.ini");
  EXPECT_EQ(folders.recordsFile(), "/home/ann/data/kelvane/records.db");
  EXPECT_EQ(folders.optionsSeedFile(), "/opt/kelvane/options.ini");
  EXPECT_EQ(folders.generatedBackgroundsFolder(), "/home/ann/data/kelvane/tracks/");
  EXPECT_EQ(folders.generatedBackgroundFile("meadow_loop.rst"),
            "/home/ann/data/kelvane/tracks/meadow_loop.png");
  EXPECT_EQ(folders.generatedBackgroundFile("/opt/kelvane/tracks/meadow_loop.rst"),
            "/home/ann/data/kelvane/tracks/meadow_loop.png");
  // A track in a folder of the player's own gets its picture beside it.
  EXPECT_EQ(folders.generatedBackgroundFile("/home/ann/rally/stage.rst"),
            "/home/ann/rally/stage.png");
  // ...unless that folder is locked too.
  env.readOnly.insert("/mnt/cdrom/");
  EXPECT_EQ(env.folders().generatedBackgroundFile("/mnt/cdrom/stage.rst"),
            "/home/ann/data/kelvane/tracks/stage.png");
}

TEST(UserFolders, TheInstalledTreeIsNeverWrittenEvenWhenPermissionsWouldAllowIt) {
  FakeEnvironment env;
  env.installed = true;  // root may write to /usr/share; the game still does not
  const UserFolders folders = env.folders();
  EXPECT_FALSE(folders.treeWritable());
  EXPECT_EQ(folders.optionsFile(), "/home/ann/.config/kelvane/options.ini");
  EXPECT_EQ(folders.generatedBackgroundsFolder(), "/home/ann/.local/share/kelvane/tracks/");
}

TEST(UserFolders, UnsetEmptyOrRelativeBaseFoldersFallBackToTheHomeDefaults) {
  FakeEnvironment env;
  env.treeWritable = false;
  EXPECT_EQ(env.folders().configFolder(), "/home/ann/.config/kelvane/");
  EXPECT_EQ(env.folders().dataFolder(), "/home/ann/.local/share/kelvane/");
  env.variables["XDG_CONFIG_HOME"] = "";
  env.variables["XDG_DATA_HOME"] = "relative/data";
  EXPECT_EQ(env.folders().configFolder(), "/home/ann/.config/kelvane/");
  EXPECT_EQ(env.folders().dataFolder(), "/home/ann/.local/share/kelvane/");
  // With no home at all there is nowhere else to write: the tree is used.
  env.variables.clear();
  EXPECT_TRUE(env.folders().treeWritable());
  EXPECT_EQ(env.folders().optionsFile(), "/opt/kelvane/options.ini");
  EXPECT_EQ(env.folders().trackFolders(), std::vector<std::string>{"/opt/kelvane/tracks/"});
}

TEST(UserFolders, TheUsersTrackWinsOverTheShippedOneAndBackgroundsAreSoughtInOrder) {
  testsupport::TempDir dir;
  FakeEnvironment env;
  env.tree = dir.folder() + "tree/";
  env.treeWritable = false;
  env.variables["XDG_DATA_HOME"] = dir.folder() + "data";
  dir.write("tree/tracks/oval.rst", "shipped");
  dir.write("tree/tracks/hill.rst", "shipped");
  dir.write("data/kelvane/tracks/oval.rst", "edited copy");
  const UserFolders folders = env.folders();
  const std::string shipped = dir.folder() + "tree/tracks/";
  const std::string own = dir.folder() + "data/kelvane/tracks/";
  EXPECT_EQ(folders.trackFile("oval.rst"), own + "oval.rst");
  EXPECT_EQ(folders.trackFile("hill.rst"), shipped + "hill.rst");
  EXPECT_EQ(folders.trackFile("gone.rst"), shipped + "gone.rst");

  EXPECT_EQ(
      folders.backgroundCandidates(shipped + "hill.rst", "hill_bg.png"),
      (std::vector<std::string>{shipped + "hill_bg.png", shipped + "hill.png", own + "hill.png"}));
  // No name, and a track in the user's folder: nothing is tried twice.
  EXPECT_EQ(folders.backgroundCandidates(own + "oval.rst", ""),
            (std::vector<std::string>{own + "oval.png"}));
  // The track's own folder written another way is still the same folder.
  EXPECT_EQ(folders.backgroundCandidates(own + "./oval.rst", "").size(), 1u);
}

TEST(UserFolders, ScreenshotsGoToThePicturesFolderFromTheEnvironmentOrUserDirs) {
  testsupport::TempDir dir;
  FakeEnvironment env;
  env.variables["HOME"] = dir.folder() + "home";
  env.variables["XDG_CONFIG_HOME"] = dir.folder() + "cfg";
  EXPECT_EQ(env.folders().screenshotsFolder(), dir.folder() + "home/Pictures/kelvane/");

  dir.write("cfg/user-dirs.dirs",
            "# written by xdg-user-dirs-update\n"
            "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
            "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  EXPECT_EQ(env.folders().screenshotsFolder(), dir.folder() + "home/Bilder/kelvane/");
  dir.write("cfg/user-dirs.dirs", "XDG_PICTURES_DIR=\"/srv/shots\"\n");
  EXPECT_EQ(env.folders().screenshotsFolder(), "/srv/shots/kelvane/");
  // A relative entry is not allowed by the file's rules and is ignored.
  dir.write("cfg/user-dirs.dirs", "XDG_PICTURES_DIR=\"shots\"\n");
  EXPECT_EQ(env.folders().screenshotsFolder(), dir.folder() + "home/Pictures/kelvane/");

  env.variables["XDG_PICTURES_DIR"] = "/media/pics";
  EXPECT_EQ(env.folders().screenshotsFolder(), "/media/pics/kelvane/");
}

TEST(UserFolders, TheProcessRulesFollowTheRealEnvironment) {
  testsupport::TempDir dir;
  const std::string original = platform::programFolder();
  platform::setProgramFolder(dir.folder());
  {
    ScopedVariable config("XDG_CONFIG_HOME", (dir.folder() + "cfg").c_str());
    ScopedVariable pictures("XDG_PICTURES_DIR", (dir.folder() + "pics").c_str());
    const UserFolders folders = platform::userFolders();
    EXPECT_TRUE(folders.treeWritable());
    EXPECT_EQ(folders.optionsFile(), dir.folder() + "options.ini");
    EXPECT_EQ(folders.configFolder(), dir.folder() + "cfg/kelvane/");
    EXPECT_EQ(folders.screenshotsFolder(), dir.folder() + "pics/kelvane/");
  }
  {
    ScopedVariable config("XDG_CONFIG_HOME", nullptr);
    ScopedVariable pictures("XDG_PICTURES_DIR", nullptr);
    ScopedVariable home("HOME", (dir.folder() + "h").c_str());
    EXPECT_EQ(platform::userFolders().configFolder(), dir.folder() + "h/.config/kelvane/");
  }
  platform::setProgramFolder(original);
}

TEST(UserFolders, EnsureFolderCreatesParentsAndReportsWhatBlocksIt) {
  testsupport::TempDir dir;
  EXPECT_TRUE(platform::ensureFolder(dir.folder() + "a/b/c/"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.folder() + "a/b/c"));
  EXPECT_TRUE(platform::ensureFolder(dir.folder() + "a/b/c/"));  // already there
  // A file in the way stops even root.
  dir.write("blocker", "x");
  std::string error;
  EXPECT_FALSE(platform::ensureFolder(dir.folder() + "blocker/sub/", &error));
  EXPECT_NE(error.find("blocker"), std::string::npos);
}

TEST(UserFolders, ScreenshotNamesNeverReplaceAnEarlierPicture) {
  testsupport::TempDir dir;
  const long long moment = 1700000000;
  const std::string first = platform::screenshotFileName(dir.folder(), moment);
  EXPECT_EQ(first.rfind(dir.folder() + "kelvane-", 0), 0u);
  EXPECT_EQ(first.substr(first.size() - 4), ".png");
  EXPECT_EQ(first.size(), dir.folder().size() + std::string("kelvane-20231114-221320.png").size());
  dir.write(first.substr(dir.folder().size()), "png");
  const std::string second = platform::screenshotFileName(dir.folder(), moment);
  EXPECT_EQ(second, first.substr(0, first.size() - 4) + "-2.png");
  dir.write(second.substr(dir.folder().size()), "png");
  EXPECT_EQ(platform::screenshotFileName(dir.folder(), moment),
            first.substr(0, first.size() - 4) + "-3.png");
}

TEST(RunTimeTree, FoundBesideTheProgramOrInTheInstalledShareFolder) {
  testsupport::TempDir dir;
  // A build folder: the tree was copied beside the executable.
  dir.write("build/tracks/oval.rst", "");
  const platform::FoundTree build = platform::findRunTimeTree(dir.folder() + "build");
  EXPECT_EQ(build.folder, dir.folder() + "build/");
  EXPECT_EQ(build.location, platform::DataLocation::BesideProgram);

  // An installed game: bin/ and share/kelvane/ side by side.
  dir.write("usr/bin/kelvane", "");
  dir.write("usr/share/kelvane/images/gui/bg.png", "");
  const platform::FoundTree installed = platform::findRunTimeTree(dir.folder() + "usr/bin/");
  EXPECT_EQ(installed.folder, dir.folder() + "usr/share/kelvane/");
  EXPECT_EQ(installed.location, platform::DataLocation::Installed);

  // Neither: the executable's folder, where the missing files are then reported.
  const platform::FoundTree none = platform::findRunTimeTree(dir.folder() + "empty/");
  EXPECT_EQ(none.folder, dir.folder() + "empty/");
  EXPECT_EQ(none.location, platform::DataLocation::BesideProgram);
}
