#include "platform/Desktop.h"

#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "platform/Paths.h"

extern char** environ;

namespace platform {

namespace {

bool isExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string searchPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    const std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
    if (isExecutableFile(candidate)) return candidate;
  }
  return {};
}

}  // namespace

std::string findProgram(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) return isExecutableFile(program) ? program : "";
  std::vector<std::string> names{program};
  if (program.size() > 4 && strcasecmp(program.c_str() + program.size() - 4, ".exe") == 0) {
    names.push_back(program.substr(0, program.size() - 4));
  }
  for (const std::string& folder : {executableFolder(), programFolder()}) {
    for (const std::string& name : names) {
      const std::string beside = folder + name;
      if (isExecutableFile(beside)) return beside;
    }
  }
  for (const std::string& name : names) {
    std::string found = searchPath(name);
    if (!found.empty()) return found;
  }
  return {};
}

namespace {

// Children are not waited for; those that have ended by the next launch are collected then,
// so a long session does not pile up finished processes.
std::vector<pid_t>& children() {
  static std::vector<pid_t> pids;
  return pids;
}

void reapFinished() {
  auto& pids = children();
  std::erase_if(pids, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

bool spawn(const std::string& path, const std::vector<std::string>& args, std::string* error) {
  reapFinished();
  std::vector<std::string> argvStore;
  argvStore.push_back(path);
  argvStore.insert(argvStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argvStore) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  // glibc's posix_spawn reports a failed exec through its return value, so a program that
  // cannot run is seen here, not silently lost in the child.
  const int result = posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ);
  if (result != 0) {
    if (error != nullptr) *error = "cannot start \"" + path + "\": " + std::strerror(result);
    return false;
  }
  children().push_back(pid);
  return true;
}

}  // namespace

bool openDocument(const std::string& path, std::string* error) {
  const std::string opener = searchPath("xdg-open");
  if (opener.empty()) {
    if (error != nullptr) *error = "cannot open \"" + path + "\": xdg-open is not installed";
    return false;
  }
  return spawn(opener, {path}, error);
}

bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  std::string* error) {
  const std::string resolved = findProgram(program);
  if (resolved.empty()) {
    if (error != nullptr) *error = "program \"" + program + "\" not found";
    return false;
  }
  return spawn(resolved, args, error);
}

}  // namespace platform
