#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/SafeSave.h"
#include "support/TestSupport.h"

using platform::SaveError;
using platform::saveFile;
using platform::SaveStream;
using testsupport::listFolder;
using testsupport::readFile;
using testsupport::TempDir;

namespace fs = std::filesystem;

namespace {

void saveText(const std::string& path, const std::string& text) {
  saveFile(path, [&](SaveStream& out) { out.write(text); });
}

// The message of the SaveError a save of `path` throws, or "" when it succeeds.
std::string refusal(const std::string& path) {
  try {
    saveText(path, "new");
  } catch (const SaveError& error) {
    return error.what();
  }
  return "";
}

}  // namespace

TEST(SafeSave, AFailedSaveKeepsTheOldFileWholeAndLeavesNothingBeside) {
  TempDir dir;
  const std::string path = dir.write("options.ini", "old contents");

  // The writer gives up half-way.
  EXPECT_THROW(saveFile(path,
                        [](SaveStream& out) {
                          out.write("half of it");
                          throw std::runtime_error("no more");
                        }),
               std::runtime_error);
  EXPECT_EQ(readFile(path), "old contents");

  // The disk fills (a file-size limit fails the writes the same way).
  {
    testsupport::FileSizeLimit limit(1000);
    try {
      saveText(path, std::string(5000, 'x'));
      FAIL() << "a write past the limit must fail";
    } catch (const SaveError& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(readFile(path), "old contents");
  EXPECT_EQ(listFolder(dir.folder()), std::vector<std::string>{"options.ini"});

  // A folder that does not exist is named.
  EXPECT_NE(refusal(dir.folder() + "missing/a.ini").find("missing"), std::string::npos);
}

TEST(SafeSave, OnlyRegularFilesAreReplacedAndLinksAreWrittenThrough) {
  TempDir dir;
  fs::create_directory(dir.path() / "folder");
  ASSERT_EQ(::mkfifo((dir.folder() + "pipe").c_str(), 0644), 0);
  EXPECT_NE(refusal(dir.folder() + "folder").find("is a directory, not a regular file"),
            std::string::npos);
  EXPECT_NE(refusal(dir.folder() + "pipe").find("is a named pipe (FIFO), not a regular file"),
            std::string::npos);
  EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe"));
  // Only root may make a device node; the rule is the same for it.
  if (::mknod((dir.folder() + "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_NE(refusal(dir.folder() + "null").find("is a device"), std::string::npos);
    EXPECT_TRUE(fs::is_character_file(dir.path() / "null"));
  }
  EXPECT_NE(refusal("").find("no file name"), std::string::npos);

  // A link to a regular file: the file is replaced, the link stays.
  const std::string real = dir.write("dotfiles/options.ini", "old");
  fs::create_symlink("dotfiles/options.ini", dir.path() / "options.ini");
  saveText(dir.folder() + "options.ini", "new");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "options.ini"));
  EXPECT_EQ(readFile(real), "new");
  // A link to a folder or to nothing is refused.
  fs::create_symlink("folder", dir.path() / "toFolder");
  fs::create_symlink("nothing", dir.path() / "dangling");
  EXPECT_NE(refusal(dir.folder() + "toFolder").find("symbolic link"), std::string::npos);
  EXPECT_NE(refusal(dir.folder() + "dangling").find("does not exist"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.path() / "nothing"));
}

TEST(SafeSave, AReplacedFileKeepsItsPermissions) {
  TempDir dir;
  const std::string path = dir.write("secret.ini", "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  saveText(path, "new");
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(readFile(path), "new");
}

TEST(SafeSave, AKilledSaveLeavesNoFileBehindAndStaleOnesAreSweptAway) {
  TempDir dir;
  const std::string path = dir.write("picture.png", "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    saveFile(path, [](SaveStream& out) {
      out.write(std::string(200000, 'x'));
      out.flush();
      ::_exit(0);  // killed half-way through the save
    });
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(readFile(path), "old");

  // What an older game, or a system without unnamed files, left: ours go once a minute old,
  // anything else stays.
  const std::vector<std::string> stale = {".picture.png.kelvane-save-abc123", "picture.png.tmp4242",
                                          "options.ini.tmp"};
  for (const std::string& name : stale) dir.write(name, "left over");
  dir.write(".picture.png.kelvane-save-young1", "being saved right now");
  dir.write("notes.tmp", "the player's own");
  const auto twoMinutesAgo = fs::file_time_type::clock::now() - std::chrono::minutes(2);
  for (const std::string& name : stale) fs::last_write_time(dir.path() / name, twoMinutesAgo);
  fs::last_write_time(dir.path() / "notes.tmp", twoMinutesAgo);

  EXPECT_EQ(platform::removeStaleSaves(dir.folder()), 3);
  EXPECT_EQ(listFolder(dir.folder()), (std::vector<std::string>{".picture.png.kelvane-save-young1",
                                                                "notes.tmp", "picture.png"}));
}
