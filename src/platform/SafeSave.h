#pragma once
#include <chrono>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Saving a file the game owns (a picture, options.ini, a screenshot, a track, the records) so
// that a failure never costs the player the old file and is never reported as a success. Every
// saver in the game goes through saveFile():
//
// - The new contents go to a temporary file in the target's own folder; every write, the flush
//   to disk and the close are checked, and only a complete file is renamed over the target. A
//   full disk, a file-size limit or a writer that throws leaves the old file exactly as it was.
// - The temporary file is unnamed where the system allows it (O_TMPFILE) and only gets a name
//   the instant before the rename, so a killed game leaves nothing behind. Elsewhere it is a
//   hidden ".NAME.kelvane-save-XXXXXX" beside the target, which removeStaleSaves() deletes at
//   the next start.
// - Only regular files are replaced. An existing target that is a folder, a named pipe, a
//   device or a socket is refused with a message saying so; an empty file name is refused.
// - A symbolic link is written through: its final target is replaced and the link stays a link
//   (a player who keeps options.ini in a dotfiles folder keeps it there). The target must be a
//   regular file; a link to anything else, or to nothing, is refused.
// - A replaced file keeps its permission bits; a new one gets 0666 less the umask.
//
// A saver that cannot write through a stream (a database library that opens the file itself)
// uses resolveSaveTarget() to apply the same rules on what it may replace.
namespace platform {

// Why a save failed: "cannot save the picture "PATH": it is a directory, not a regular file".
class SaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where a writer puts the file's bytes. Buffered; every write that reaches the disk is checked
// and a failure throws SaveError, which saveFile() passes on after discarding the file.
class SaveStream {
 public:
  SaveStream(int fd, std::string description);
  SaveStream(const SaveStream&) = delete;
  SaveStream& operator=(const SaveStream&) = delete;

  void write(const void* data, std::size_t size);
  void write(std::string_view text) { write(text.data(), text.size()); }
  // Bytes accepted so far.
  std::size_t written() const { return written_; }
  // Hands every buffered byte to the system; saveFile() calls it before syncing.
  void flush();
  [[noreturn]] void fail(const std::string& reason) const;

 private:
  int fd_;
  std::string description_;
  std::vector<char> buffer_;
  std::size_t written_ = 0;
};

using SaveWriter = std::function<void(SaveStream&)>;

// Replaces (or creates) `path` with what `writer` writes, under the rules above. `what` names
// the kind of file in messages: "the picture", "the settings", "the screenshot".
// Throws SaveError naming the file and the problem; `writer` may throw SaveError itself (through
// SaveStream::fail) or any std::exception, which is passed on unchanged.
void saveFile(const std::string& path, const SaveWriter& writer,
              const std::string& what = "the file");

// The file a save of `path` would replace: `path` itself, or the final target of a symbolic
// link. Throws SaveError when `path` is empty, names something other than a regular file, or is
// a link to something that is not one (or to nothing).
std::string resolveSaveTarget(const std::string& path, const std::string& what = "the file");

// What a file-system entry that is not a regular file is, for messages: "a directory", "a named
// pipe (FIFO)", "a device", "a socket"; `mode` as stat() gives it (st_mode).
std::string describeFileKind(unsigned mode);

// Deletes the temporary files a killed save left in `folder`: our own hidden
// ".NAME.kelvane-save-XXXXXX" files and the "NAME.png.tmpPID" / "options.ini.tmp" names older
// versions used, only when they are older than `minimumAge` (a save in progress in another
// copy of the game is younger). Returns how many were removed; an unreadable folder gives 0.
int removeStaleSaves(const std::string& folder,
                     std::chrono::seconds minimumAge = std::chrono::seconds(60));

}  // namespace platform
