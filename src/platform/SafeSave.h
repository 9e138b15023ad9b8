#pragma once
#include <functional>
#include <string>

namespace platform {

// The game's one way of saving a file (settings, pictures, tracks): `write` fills a new file
// beside `path`, which then replaces `path` in a single rename. A crash, a full disk or a failed
// write never leaves a half-written file, and the old one stays whole until the new one is
// completely on disk. Nothing but a regular file is ever replaced: a folder, a device or a pipe
// of that name is refused; a symbolic link is followed and the file it names is replaced.
//
// `write` receives the temporary file's path (`path` + ".tmp") and throws std::runtime_error
// with the reason when it cannot fill it. Returns false and fills `error` with the reason when
// the file cannot be saved ("cannot create …", "cannot replace …"); the temporary file is then
// removed.
bool saveFileSafely(const std::string& path,
                    const std::function<void(const std::string& temporary)>& write,
                    std::string* error = nullptr);

// The same for a text or any other bytes already in memory, flushed to the disk before the
// rename.
bool saveTextSafely(const std::string& path, const std::string& text, std::string* error = nullptr);

}  // namespace platform
