#include "platform/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <regex>
#include <system_error>
#include <utility>

namespace platform {

namespace {

constexpr std::string_view kTemporaryMark = ".kelvane-save-";
constexpr std::size_t kBufferSize = 64 * 1024;
// Linux gives up on a chain of links after 40 as well.
constexpr int kMaxLinkHops = 40;

std::string errnoText(int error) {
  return std::strerror(error);
}

std::string inQuotes(const std::string& path) {
  return "\"" + path + "\"";
}

// `description` is the kind of file and its name: "the picture \"out.png\"".
[[noreturn]] void failSave(const std::string& description, const std::string& reason) {
  throw SaveError("cannot save " + description + ": " + reason);
}

// A file-size limit (ulimit -f) would otherwise end the game with SIGXFSZ in the middle of a
// save; ignored, the write fails with EFBIG and the save reports it like a full disk.
void ignoreFileSizeSignal() {
  static const bool ignored = [] {
    std::signal(SIGXFSZ, SIG_IGN);
    return true;
  }();
  (void)ignored;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and answers the close's own error (0 when fine): a network file system may
  // report a failed write only here.
  int close() {
    const int result = ::close(std::exchange(fd_, -1));
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// The file being written. Unnamed (O_TMPFILE) when the folder's file system allows it, so a
// killed process leaves nothing; otherwise a hidden name of our own beside the target.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& folder, const std::string& targetName, std::string description)
      : folder_(folder), targetName_(targetName), description_(std::move(description)) {
    if (::access("/proc/self/fd", X_OK) == 0) {
      fd_ = std::make_unique<FileDescriptor>(
          ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    }
    if (!fd_ || fd_->get() < 0) openNamed();
  }

  ~TemporaryFile() {
    if (!name_.empty()) ::unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_->get(); }
  bool unnamed() const { return name_.empty(); }

  // Puts the finished file in place of `target`. Throws SaveError when it cannot.
  void replace(const std::string& target) {
    if (unnamed()) giveName();
    if (const int error = fd_->close(); error != 0) failSave(description_, errnoText(error));
    if (std::rename(name_.c_str(), target.c_str()) != 0) failSave(description_, errnoText(errno));
    name_.clear();
  }

 private:
  std::string candidateName(unsigned attempt) const {
    static std::atomic<unsigned> counter{0};
    const unsigned long long mix = static_cast<unsigned long long>(::getpid()) * 1000003ULL +
                                   counter.fetch_add(1) * 7919ULL + attempt;
    std::string name = folder_ + "/." + targetName_ + std::string(kTemporaryMark);
    const char* digits = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned long long rest = mix ^ static_cast<unsigned long long>(::time(nullptr));
    for (int i = 0; i < 6; ++i, rest /= 36) name += digits[rest % 36];
    return name;
  }

  void openNamed() {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
      const std::string name = candidateName(attempt);
      const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        fd_ = std::make_unique<FileDescriptor>(fd);
        name_ = name;
        return;
      }
      if (errno != EEXIST) {
        failSave(description_,
                 "cannot create a file in " + inQuotes(folder_) + ": " + errnoText(errno));
      }
    }
    failSave(description_, "cannot find a free temporary name in " + inQuotes(folder_));
  }

  // An unnamed file gets a hidden name of our own only now, after it is complete.
  void giveName() {
    const std::string procPath = "/proc/self/fd/" + std::to_string(fd());
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
      const std::string name = candidateName(attempt);
      if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        name_ = name;
        return;
      }
      if (errno != EEXIST) failSave(description_, errnoText(errno));
    }
    failSave(description_, "cannot find a free temporary name in " + inQuotes(folder_));
  }

  std::string folder_;
  std::string targetName_;
  std::string description_;
  std::unique_ptr<FileDescriptor> fd_;
  std::string name_;
};

void syncFolder(const std::string& folder) {
  // The rename is already done and the file complete; this only hurries the folder's entry to
  // the disk, so its failure is no failure of the save.
  FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
}

bool isOurTemporaryName(const std::string& name) {
  static const std::regex legacy(R"(.+\.png\.tmp[0-9]+|options\.ini\.tmp)");
  return (name.size() > 1 && name[0] == '.' && name.find(kTemporaryMark) != std::string::npos) ||
         std::regex_match(name, legacy);
}

}  // namespace

std::string describeFileKind(unsigned mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

SaveStream::SaveStream(int fd, std::string description)
    : fd_(fd), description_(std::move(description)) {
  buffer_.reserve(kBufferSize);
}

void SaveStream::write(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  written_ += size;
  if (buffer_.size() + size > kBufferSize) flush();
  if (size >= kBufferSize) {
    buffer_.assign(bytes, bytes + size);
    flush();
    return;
  }
  buffer_.insert(buffer_.end(), bytes, bytes + size);
}

void SaveStream::flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t result = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (result < 0 && errno == EINTR) continue;
    if (result < 0) fail(errnoText(errno));
    if (result == 0) fail("the system accepted no more bytes");
    done += static_cast<std::size_t>(result);
  }
  buffer_.clear();
}

void SaveStream::fail(const std::string& reason) const {
  failSave(description_, reason);
}

std::string resolveSaveTarget(const std::string& path, const std::string& what) {
  if (path.empty()) throw SaveError("cannot save " + what + ": no file name was given");
  std::string target = path;
  for (int hops = 0;; ++hops) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) {
      if (errno == ENOENT && hops == 0) return target;
      const std::string reason = errno == ENOENT ? "it is a symbolic link to " + inQuotes(target) +
                                                       ", which does not exist"
                                                 : errnoText(errno);
      throw SaveError("cannot save " + what + " " + inQuotes(path) + ": " + reason);
    }
    if (S_ISREG(status.st_mode)) return target;
    if (!S_ISLNK(status.st_mode)) {
      const std::string kind =
          hops == 0 ? "it is " : "it is a symbolic link to " + inQuotes(target) + ", ";
      throw SaveError("cannot save " + what + " " + inQuotes(path) + ": " + kind +
                      describeFileKind(status.st_mode) + ", not a regular file");
    }
    if (hops == kMaxLinkHops) {
      throw SaveError("cannot save " + what + " " + inQuotes(path) + ": too many symbolic links");
    }
    std::error_code error;
    const std::filesystem::path link = std::filesystem::read_symlink(target, error);
    if (error) {
      throw SaveError("cannot save " + what + " " + inQuotes(path) + ": " + error.message());
    }
    target = link.is_absolute() ? link.string() : folderOf(target) + "/" + link.string();
  }
}

void saveFile(const std::string& path, const SaveWriter& writer, const std::string& what) {
  ignoreFileSizeSignal();
  const std::string target = resolveSaveTarget(path, what);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;

  const std::string description = what + " " + inQuotes(path);
  TemporaryFile temporary(folderOf(target), nameOf(target), description);
  SaveStream out(temporary.fd(), description);
  writer(out);
  out.flush();
  if (::fsync(temporary.fd()) != 0) out.fail(errnoText(errno));
  if (replacing && ::fchmod(temporary.fd(), old.st_mode & 07777) != 0) {
    out.fail(errnoText(errno));
  }
  temporary.replace(target);
  syncFolder(folderOf(target));
}

int removeStaleSaves(const std::string& folder, std::chrono::seconds minimumAge) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) return 0;
  const auto now = fs::file_time_type::clock::now();
  int removed = 0;
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (!isOurTemporaryName(name) || !entry.is_regular_file(error)) continue;
    const auto modified = entry.last_write_time(error);
    if (error || now - modified < minimumAge) continue;
    if (fs::remove(entry.path(), error)) ++removed;
  }
  return removed;
}

}  // namespace platform
