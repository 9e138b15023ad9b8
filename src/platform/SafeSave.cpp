#include "platform/SafeSave.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void throwErrno(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

// The file a save really replaces: a link's target, followed as far as it goes.
std::string replacedFile(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target.string();
}

// Why `path` may not be replaced, or "" when it may (a regular file, or nothing yet).
std::string refusal(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return {};
  if (error) return error.message();
  if (status.type() == fs::file_type::directory) return "a folder of that name is in the way";
  if (status.type() != fs::file_type::regular) return "it is not a regular file";
  return {};
}

void writeAll(int file, const std::string& text, const std::string& name) {
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = ::write(file, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throwErrno("cannot write " + name);
    data += n;
    left -= static_cast<std::size_t>(n);
  }
}

}  // namespace

bool saveFileSafely(const std::string& path,
                    const std::function<void(const std::string& temporary)>& write,
                    std::string* error) {
  const std::string target = replacedFile(path);
  if (const std::string reason = refusal(target); !reason.empty()) {
    if (error != nullptr) *error = reason;
    return false;
  }
  const std::string temporary = target + ".tmp";
  std::error_code ignored;
  try {
    write(temporary);
  } catch (const std::exception& failure) {
    fs::remove(temporary, ignored);
    if (error != nullptr) *error = failure.what();
    return false;
  }
  std::error_code renameError;
  fs::rename(temporary, target, renameError);
  if (renameError) {
    fs::remove(temporary, ignored);
    if (error != nullptr) *error = "cannot replace " + target + ": " + renameError.message();
    return false;
  }
  return true;
}

bool saveTextSafely(const std::string& path, const std::string& text, std::string* error) {
  return saveFileSafely(
      path,
      [&text](const std::string& temporary) {
        const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (file < 0) throwErrno("cannot create " + temporary);
        try {
          writeAll(file, text, temporary);
          if (::fsync(file) != 0) throwErrno("cannot write " + temporary);
        } catch (...) {
          ::close(file);
          throw;
        }
        if (::close(file) != 0) throwErrno("cannot write " + temporary);
      },
      error);
}

}  // namespace platform
