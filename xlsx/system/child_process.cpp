#include "xlsx/system/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <thread>

#include "xlsx/system/interrupt_cleanup.h"

namespace tabulara::xlsx {
namespace {

constexpr std::chrono::milliseconds kExitPoll{20};

// How the child starts: standard streams on /dev/null, every signal
// unblocked and at its default action (this process blocks the interrupt
// signals in all its threads), a process group of its own.
class SpawnSettings {
 public:
  SpawnSettings() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawnattr_init(&attributes_);
    sigset_t none;
    sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&attributes_, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&defaults, signal);
    ::posix_spawnattr_setsigdefault(&attributes_, &defaults);
    ::posix_spawnattr_setpgroup(&attributes_, 0);
    ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;
  ~SpawnSettings() {
    ::posix_spawnattr_destroy(&attributes_);
    ::posix_spawn_file_actions_destroy(&actions_);
  }

  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

std::vector<char*> Pointers(const std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (const std::string& text : texts) pointers.push_back(const_cast<char*>(text.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// Whether the child has exited (or cannot be waited for), left unreaped so
// that its process group id cannot be taken by another process yet.
bool Exited(pid_t child) {
  siginfo_t info{};
  if (::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return errno != EINTR;
  return info.si_pid == child;
}

int Reaped(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace

ChildEnd RunWithTimeLimit(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                          std::chrono::milliseconds limit) {
  const SpawnSettings settings;
  pid_t child = 0;
  std::optional<EndedOnInterrupt> endedOnInterrupt;
  {
    const InterruptsDeferred deferred;
    if (::posix_spawn(&child, arguments.front().c_str(), settings.actions(), settings.attributes(),
                      Pointers(arguments).data(), Pointers(environment).data()) != 0) {
      return ChildEnd::Failed;
    }
    endedOnInterrupt.emplace(child);
  }
  const auto deadline = std::chrono::steady_clock::now() + limit;
  bool inTime = true;
  while (!Exited(child)) {
    inTime = std::chrono::steady_clock::now() < deadline;
    if (!inTime) break;
    std::this_thread::sleep_for(kExitPoll);
  }
  ::kill(-child, SIGKILL);
  const int status = Reaped(child);
  if (!inTime) return ChildEnd::TimedOut;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ChildEnd::Succeeded : ChildEnd::Failed;
}

}  // namespace tabulara::xlsx
