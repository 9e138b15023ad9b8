#pragma once
#include <string>
#include <vector>

namespace platform {

// Opens a document with the desktop's opener (xdg-open). Spawned without a shell, so no file
// name can inject a command. Returns false and fills `error` when it cannot be started.
bool openDocument(const std::string& path, std::string* error = nullptr);

// Starts a program found beside the executable or on the PATH, with its arguments, without a
// shell and without waiting for it. Returns false and fills `error` when it cannot be started.
bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  std::string* error = nullptr);

}  // namespace platform
