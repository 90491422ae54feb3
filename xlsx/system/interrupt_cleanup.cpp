#include "xlsx/system/interrupt_cleanup.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

namespace tabulara::xlsx {
namespace {

struct Registry {
  // Recursive, so that what is registered under InterruptsDeferred can
  // take it again.
  std::recursive_mutex lock;
  std::uint64_t nextId = 0;
  std::map<std::uint64_t, std::filesystem::path> paths;
  std::map<std::uint64_t, pid_t> processGroups;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

sigset_t InterruptSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, signal);
  return signals;
}

// The other threads run on while this one cleans up, and may be creating
// files in `path`: renamed first, it takes no new file, and what it holds
// goes with it.
void RemoveWhileOthersRun(const std::filesystem::path& path) {
  std::filesystem::path moved = path;
  moved += ".removed";
  std::error_code ignored;
  if (::rename(path.c_str(), moved.c_str()) == 0) {
    std::filesystem::remove_all(moved, ignored);
  } else {
    std::filesystem::remove_all(path, ignored);
  }
}

// Ends the children, removes the temporaries and dies of `signal`; the
// registry stays locked, so nothing is registered or unregistered after.
[[noreturn]] void CleanUpAndDie(int signal) {
  Registry& registry = TheRegistry();
  registry.lock.lock();
  for (const auto& [id, group] : registry.processGroups) ::kill(-group, SIGTERM);
  if (!registry.processGroups.empty()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    for (const auto& [id, group] : registry.processGroups) ::kill(-group, SIGKILL);
  }
  for (const auto& [id, path] : registry.paths) RemoveWhileOthersRun(path);
  ::signal(signal, SIG_DFL);
  const sigset_t signals = InterruptSignals();
  ::pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
  ::raise(signal);
  ::_exit(128 + signal);
}

template <class Value>
std::uint64_t Register(std::map<std::uint64_t, Value> Registry::*entries, Value value) {
  Registry& registry = TheRegistry();
  const std::scoped_lock hold(registry.lock);
  const std::uint64_t id = registry.nextId++;
  (registry.*entries).emplace(id, std::move(value));
  return id;
}

template <class Value>
void Unregister(std::map<std::uint64_t, Value> Registry::*entries, std::uint64_t id) {
  Registry& registry = TheRegistry();
  const std::scoped_lock hold(registry.lock);
  (registry.*entries).erase(id);
}

}  // namespace

void CleanUpOnInterrupt() {
  const sigset_t signals = InterruptSignals();
  ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::thread([signals] {
    int signal = 0;
    while (::sigwait(&signals, &signal) != 0) {
    }
    CleanUpAndDie(signal);
  }).detach();
}

RemovedOnInterrupt::RemovedOnInterrupt(const std::filesystem::path& path)
    : id_(Register(&Registry::paths, std::filesystem::absolute(path))) {}

RemovedOnInterrupt::~RemovedOnInterrupt() { Unregister(&Registry::paths, id_); }

InterruptsDeferred::InterruptsDeferred() { TheRegistry().lock.lock(); }

InterruptsDeferred::~InterruptsDeferred() { TheRegistry().lock.unlock(); }

EndedOnInterrupt::EndedOnInterrupt(pid_t processGroup) : id_(Register(&Registry::processGroups, processGroup)) {}

EndedOnInterrupt::~EndedOnInterrupt() { Unregister(&Registry::processGroups, id_); }

}  // namespace tabulara::xlsx
