#pragma once
#include <string>
#include <vector>

namespace platform {

// Opens a document with the desktop's opener (xdg-open). Spawned without a shell, so no file
// name can inject a command. Returns false and fills `error` when it cannot be started.
bool openDocument(const std::string& path, std::string* error = nullptr);

// The file of a program named without a folder: beside the executable, in the run-time tree or
// on the PATH (a Windows name such as "Editor.exe" also finds "Editor"). A name with a folder is
// taken as it is. Empty when there is no such executable file.
std::string findProgram(const std::string& program);

// Starts a program found beside the executable or on the PATH, with its arguments, without a
// shell and without waiting for it. Returns false and fills `error` when it cannot be started.
bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  std::string* error = nullptr);

}  // namespace platform
