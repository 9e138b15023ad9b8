#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Desktop.h"

extern char** environ;

namespace platform {

namespace {

// Closes the file actions and attributes of posix_spawn however the start ends.
struct SpawnSetup {
  posix_spawn_file_actions_t actions{};
  SpawnSetup() { posix_spawn_file_actions_init(&actions); }
  ~SpawnSetup() { posix_spawn_file_actions_destroy(&actions); }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

void fail(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

}  // namespace

ChildProcess::~ChildProcess() {
  stop();
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& args,
                         std::string* error) {
  if (running()) {
    fail(error, "\"" + program + "\" cannot start while the previous run goes on");
    return false;
  }
  const std::string path = findProgram(program);
  if (path.empty()) {
    fail(error, "program \"" + program + "\" not found");
    return false;
  }
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    fail(error, "cannot start \"" + path + "\": " + std::strerror(errno));
    return false;
  }
  SpawnSetup setup;
  posix_spawn_file_actions_adddup2(&setup.actions, ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&setup.actions, ends[1], STDERR_FILENO);

  std::vector<std::string> argvStore{path};
  argvStore.insert(argvStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argvStore) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int result = posix_spawn(&pid, path.c_str(), &setup.actions, nullptr, argv.data(), environ);
  ::close(ends[1]);
  if (result != 0) {
    ::close(ends[0]);
    fail(error, "cannot start \"" + path + "\": " + std::strerror(result));
    return false;
  }
  fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
  pid_ = pid;
  pipe_ = ends[0];
  output_.clear();
  exitStatus_ = -1;
  return true;
}

void ChildProcess::readAvailable() {
  if (pipe_ < 0) return;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(pipe_, buffer, sizeof buffer);
    if (n > 0) {
      output_.append(buffer, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // End of file: every writer has gone. EAGAIN: nothing more for now.
    if (n == 0) closePipe();
    return;
  }
}

void ChildProcess::closePipe() {
  if (pipe_ >= 0) ::close(pipe_);
  pipe_ = -1;
}

bool ChildProcess::poll() {
  readAvailable();
  if (!running()) return false;
  int status = 0;
  const pid_t done = waitpid(pid_, &status, WNOHANG);
  if (done == 0) return true;
  pid_ = 0;
  exitStatus_ = done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  // What the child wrote just before it ended is still in the pipe; a program it started
  // itself may hold the pipe open, so nothing waits for the end of file.
  readAvailable();
  closePipe();
  return false;
}

void ChildProcess::stop() {
  if (running()) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
    exitStatus_ = -1;
  }
  closePipe();
}

}  // namespace platform
