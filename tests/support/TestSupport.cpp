#include "support/TestSupport.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testsupport {

std::string dataDir() {
  return std::string(KELVANE_DATA_DIR) + "/";
}
std::string tracksDir() {
  return dataDir() + "tracks/";
}

namespace {

// The share of light a channel value 0..255 gives off, undoing the sRGB curve.
double linearLight(std::uint32_t channel) {
  const double c = (channel & 0xffu) / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(std::uint32_t colour) {
  return 0.2126 * linearLight(colour >> 16) + 0.7152 * linearLight(colour >> 8) +
         0.0722 * linearLight(colour);
}

}  // namespace

double contrastRatio(std::uint32_t a, std::uint32_t b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TempDir::TempDir() {
  std::random_device device;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate =
        std::filesystem::temp_directory_path() / ("kelvane-test-" + std::to_string(device()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& contents) const {
  auto file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << contents;
  return file.string();
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

FileSizeLimit::FileSizeLimit(unsigned long long bytes) {
  // Past the limit the system sends SIGXFSZ, which would end the test program.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  oldSoft_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("cannot limit file sizes");
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = oldSoft_;
  setrlimit(RLIMIT_FSIZE, &limit);
}

ProgramFolderScope::ProgramFolderScope()
    : folder_(platform::programFolder()), location_(platform::dataLocation()) {}

ProgramFolderScope::~ProgramFolderScope() {
  platform::setProgramFolder(folder_, location_);
}

std::vector<std::string> listFolder(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace testsupport
