#include "platform/posix/processes.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "host/host_error.h"

extern char** environ;

namespace tabulara::platform::posix {
namespace {

// A file descriptor, closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// The file actions and attributes of one posix_spawn: standard input from
// /dev/null, and what `Setup` adds.
class SpawnPlan {
 public:
  SpawnPlan() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawnattr_init(&attributes_);
    ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  }
  SpawnPlan(const SpawnPlan&) = delete;
  SpawnPlan& operator=(const SpawnPlan&) = delete;
  ~SpawnPlan() {
    ::posix_spawnattr_destroy(&attributes_);
    ::posix_spawn_file_actions_destroy(&actions_);
  }

  void OwnProcessGroup() {
    ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP);
    ::posix_spawnattr_setpgroup(&attributes_, 0);
  }
  void StandardOutputTo(int writeEnd, int readEnd) {
    ::posix_spawn_file_actions_adddup2(&actions_, writeEnd, STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&actions_, readEnd);
    ::posix_spawn_file_actions_addclose(&actions_, writeEnd);
  }

  // The new process, or the error number of the failed start.
  int Spawn(const std::vector<std::string>& arguments, pid_t& pid) const {
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return ::posix_spawn(&pid, argv[0], &actions_, &attributes_, argv.data(), environ);
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

host::HostError StartFailure(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return host::HostError(53, "File not found");
    case EACCES:
    case EPERM:
      return host::HostError(70, "Permission denied");
    default:
      return host::HostError(5, std::string("Invalid procedure call or argument: ") + std::strerror(error));
  }
}

// The programs started and not yet reaped.
class StartedPrograms {
 public:
  void Start(const std::vector<std::string>& arguments) {
    ReapEnded();
    SpawnPlan plan;
    plan.OwnProcessGroup();
    pid_t pid = 0;
    if (const int error = plan.Spawn(arguments, pid); error != 0) throw StartFailure(error);
    running_.push_back(pid);
  }

 private:
  void ReapEnded() {
    std::erase_if(running_, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
  }

  std::vector<pid_t> running_;
};

}  // namespace

ProgramStarter DetachedStarter() {
  auto started = std::make_shared<StartedPrograms>();
  return [started](const std::vector<std::string>& arguments) { started->Start(arguments); };
}

std::optional<std::string> OutputOf(const std::vector<std::string>& arguments) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
  Descriptor readEnd(ends[0]);
  Descriptor writeEnd(ends[1]);
  SpawnPlan plan;
  plan.StandardOutputTo(writeEnd.get(), readEnd.get());
  pid_t pid = 0;
  if (plan.Spawn(arguments, pid) != 0) return std::nullopt;
  writeEnd.Close();
  std::string output;
  char chunk[512];
  for (ssize_t got; (got = ::read(readEnd.get(), chunk, sizeof chunk)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    output.append(chunk, static_cast<std::size_t>(got));
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

}  // namespace tabulara::platform::posix
