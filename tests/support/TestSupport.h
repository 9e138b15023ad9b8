#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Paths.h"

namespace testsupport {

// The source tree's run-time folder (data/), with '/' at the end.
std::string dataDir();
// The shipped tracks folder (data/tracks/), with '/' at the end.
std::string tracksDir();

// A fresh temporary folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as a string ending with '/'.
  std::string folder() const { return path_.string() + "/"; }
  // Writes a file below the folder and returns its full path.
  std::string write(const std::string& name, const std::string& contents) const;

 private:
  std::filesystem::path path_;
};

std::string readFile(const std::string& path);

// How well two opaque 0xAARRGGBB colours read on each other: the ratio of their relative
// luminances (each + 0.05), 1 for the same colour up to 21 for black on white. Body text wants
// 4.5 or more.
double contrastRatio(std::uint32_t a, std::uint32_t b);

// While it lives, a file may grow to `bytes` at most (setrlimit RLIMIT_FSIZE): a write past it
// fails the way a full disk does. Restores the old limit when it goes.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long long bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  unsigned long long oldSoft_;
};

// Keeps the program folder (platform::programFolder) a test sets and puts the one before back
// when it goes, so no test runs in the folder an earlier one left behind.
class ProgramFolderScope {
 public:
  ProgramFolderScope();
  ~ProgramFolderScope();
  ProgramFolderScope(const ProgramFolderScope&) = delete;
  ProgramFolderScope& operator=(const ProgramFolderScope&) = delete;

 private:
  std::string folder_;
  platform::DataLocation location_;
};

// The names in `folder`, sorted.
std::vector<std::string> listFolder(const std::string& folder);

}  // namespace testsupport
