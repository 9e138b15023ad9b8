// Every file the game saves (pictures, the painter's backgrounds, options.ini) keeps to the same
// rules: a failed write is reported and costs nothing, and only a regular file is replaced.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "background/PngWriter.h"
#include "config/IniFile.h"
#include "platform/Bitmap.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct Saver {
  const char* name;
  // Saves to the path; throws std::runtime_error when the save fails.
  std::function<void(const std::string&)> save;
};

platform::Bitmap noisyPicture() {
  platform::Bitmap picture(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) picture.setPixel(x, y, 0xff000000u | (x * 7919u + y * 104729u));
  }
  return picture;
}

const std::vector<Saver>& savers() {
  static const std::vector<Saver> all = {
      {"picture", [](const std::string& path) { noisyPicture().savePng(path); }},
      {"painted background",
       [](const std::string& path) { background::saveOpaquePng(noisyPicture(), path); }},
      {"settings",
       [](const std::string& path) {
         config::CIniFile ini(path);
         for (int i = 0; i < 50; ++i) ini.setValueInt(" Options ", "key" + std::to_string(i), i);
         if (!ini.writeFile()) throw std::runtime_error(ini.lastError());
       }},
  };
  return all;
}

// The message of a failed save, or "" when it succeeded.
std::string failureOf(const Saver& saver, const std::string& path) {
  try {
    saver.save(path);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

}  // namespace

TEST(Saving, EverySaverKeepsTheOldFileWhenTheDiskFills) {
  for (const Saver& saver : savers()) {
    testsupport::TempDir dir;
    const std::string path = dir.write("file", "the old contents");
    std::string failure;
    {
      testsupport::FileSizeLimit limit(100);
      failure = failureOf(saver, path);
    }
    EXPECT_NE(failure.find(path), std::string::npos) << saver.name << ": " << failure;
    EXPECT_EQ(testsupport::readFile(path), "the old contents") << saver.name;
    EXPECT_EQ(testsupport::listFolder(dir.folder()), std::vector<std::string>{"file"})
        << saver.name;
    // Without the limit the same save goes through.
    EXPECT_EQ(failureOf(saver, path), "") << saver.name;
  }
}

TEST(Saving, EverySaverRefusesToReplaceAFolderAPipeOrADevice) {
  for (const Saver& saver : savers()) {
    testsupport::TempDir dir;
    fs::create_directories(dir.path() / "folder" / "inside");
    ASSERT_EQ(::mkfifo((dir.folder() + "pipe").c_str(), 0644), 0);
    std::vector<std::string> targets = {"folder", "pipe"};
    // Only root may make a device node (the game run as root replaced one before).
    if (::mknod((dir.folder() + "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
      targets.push_back("null");
    }
    for (const std::string& name : targets) {
      const std::string failure = failureOf(saver, dir.folder() + name);
      EXPECT_NE(failure.find("not a regular file"), std::string::npos)
          << saver.name << " over " << name << ": " << failure;
    }
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder" / "inside")) << saver.name;
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe")) << saver.name;
    EXPECT_NE(failureOf(saver, "").find("no file name"), std::string::npos) << saver.name;
  }
}
