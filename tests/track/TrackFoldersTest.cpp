#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeFolders.h"
#include "support/TestSupport.h"
#include "track/TrackFolders.h"

namespace {

using testsupport::FakeFolders;
using track::TrackFolders;

TrackFolders tracksOf(const FakeFolders& env) {
  return TrackFolders(env.folders());
}

TEST(TrackFolders, AWritableTreeKeepsEverythingBesideTheProgram) {
  const TrackFolders folders = tracksOf(FakeFolders{});
  EXPECT_EQ(folders.generatedBackgroundsFolder(), "/opt/kelvane/tracks/");
  EXPECT_EQ(folders.generatedBackgroundFile("meadow_loop.rst"),
            "/opt/kelvane/tracks/meadow_loop.png");
  // The player's own tracks are listed all the same.
  EXPECT_EQ(
      folders.trackFolders(),
      (std::vector<std::string>{"/opt/kelvane/tracks/", "/home/ann/.local/share/kelvane/tracks/"}));
  // Where a killed save may have left a temporary file, each folder once.
  EXPECT_EQ(folders.savedFolders(),
            (std::vector<std::string>{"/opt/kelvane/", "/opt/kelvane/tracks/",
                                      "/home/ann/.local/share/kelvane/tracks/",
                                      folders.userFolders().screenshotsFolder()}));
}

TEST(TrackFolders, AReadOnlyTreeSendsSettingsAndBackgroundsToTheUsersFolders) {
  FakeFolders env;
  env.treeWritable = false;
  env.variables["XDG_CONFIG_HOME"] = "/home/ann/cfg";
  env.variables["XDG_DATA_HOME"] = "/home/ann/data/";
  const TrackFolders folders = tracksOf(env);
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
  EXPECT_EQ(tracksOf(env).generatedBackgroundFile("/mnt/cdrom/stage.rst"),
            "/home/ann/data/kelvane/tracks/stage.png");
}

TEST(TrackFolders, TheInstalledTreeIsNeverWrittenEvenWhenPermissionsWouldAllowIt) {
  FakeFolders env;
  env.installed = true;  // root may write to /usr/share; the game still does not
  EXPECT_EQ(tracksOf(env).generatedBackgroundsFolder(), "/home/ann/.local/share/kelvane/tracks/");
}

TEST(TrackFolders, UnsetEmptyOrRelativeBaseFoldersFallBackToTheHomeDefaults) {
  FakeFolders env;
  // With no home at all there is nowhere else to look: the tree is all there is.
  env.variables.clear();
  EXPECT_EQ(tracksOf(env).trackFolders(), std::vector<std::string>{"/opt/kelvane/tracks/"});
}

TEST(TrackFolders, TheUsersTrackWinsOverTheShippedOneAndBackgroundsAreSoughtInOrder) {
  testsupport::TempDir dir;
  FakeFolders env;
  env.tree = dir.folder() + "tree/";
  env.treeWritable = false;
  env.variables["XDG_DATA_HOME"] = dir.folder() + "data";
  dir.write("tree/tracks/oval.rst", "shipped");
  dir.write("tree/tracks/hill.rst", "shipped");
  dir.write("data/kelvane/tracks/oval.rst", "edited copy");
  const TrackFolders folders = tracksOf(env);
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

}  // namespace
