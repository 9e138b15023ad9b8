#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/Paths.h"
#include "platform/UserFolders.h"
#include "support/FakeFolders.h"
#include "support/TestSupport.h"

using platform::UserFolders;

namespace {

using FakeEnvironment = testsupport::FakeFolders;

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
  EXPECT_EQ(folders.optionsSeedFile(), "");
}

TEST(UserFolders, AReadOnlyTreeSendsSettingsAndBackgroundsToTheUsersFolders) {
  FakeEnvironment env;
  env.treeWritable = false;
  env.variables["XDG_CONFIG_HOME"] = "/home/ann/cfg";
  env.variables["XDG_DATA_HOME"] = "/home/ann/data/";
  const UserFolders folders = env.folders();
  EXPECT_FALSE(folders.treeWritable());
  EXPECT_EQ(folders.optionsFile(), "/home/ann/cfg/kelvane/options.ini");
  EXPECT_EQ(folders.optionsSeedFile(), "/opt/kelvane/options.ini");
}

TEST(UserFolders, TheInstalledTreeIsNeverWrittenEvenWhenPermissionsWouldAllowIt) {
  FakeEnvironment env;
  env.installed = true;  // root may write to /usr/share; the game still does not
  const UserFolders folders = env.folders();
  EXPECT_FALSE(folders.treeWritable());
  EXPECT_EQ(folders.optionsFile(), "/home/ann/.config/kelvane/options.ini");
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
