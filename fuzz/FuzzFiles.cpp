#include "FuzzFiles.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fuzzfiles {

namespace {

std::string makeScratchFolder() {
  std::error_code error;
  std::filesystem::path base = "/dev/shm";
  if (!std::filesystem::is_directory(base, error)) base = std::filesystem::temp_directory_path();
  const std::filesystem::path folder = base / ("kelvane-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder, error);
  return folder.string() + "/";
}

struct Scratch {
  std::string folder = makeScratchFolder();
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

Scratch& scratch() {
  static Scratch instance;
  return instance;
}

}  // namespace

const std::string& scratchFolder() {
  return scratch().folder;
}

std::string writeInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = scratchFolder() + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  require(static_cast<bool>(out), "the scratch file could not be written");
  return path;
}

void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

}  // namespace fuzzfiles
