#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>

namespace tabulara::xlsx {

// Makes SIGINT, SIGTERM and SIGHUP end the process cleanly: the child
// processes and the temporary files and folders registered at that moment
// are ended and removed, then the process dies of the signal. Call once,
// at the start of main, before any other thread starts: the signals are
// then taken by a thread of their own, so children must be started with an
// empty signal mask (SpawnAttributes does that).
void CleanUpOnInterrupt();

// A temporary file or folder, removed if the process is interrupted while
// this lives.
class RemovedOnInterrupt {
 public:
  explicit RemovedOnInterrupt(const std::filesystem::path& path);
  ~RemovedOnInterrupt();
  RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
  RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

 private:
  std::uint64_t id_;
};

// Holds back the clean-up of an interrupt while this lives, so that a child
// started and registered under it cannot be missed.
class InterruptsDeferred {
 public:
  InterruptsDeferred();
  ~InterruptsDeferred();
  InterruptsDeferred(const InterruptsDeferred&) = delete;
  InterruptsDeferred& operator=(const InterruptsDeferred&) = delete;
};

// A child process group, ended if the process is interrupted while this
// lives.
class EndedOnInterrupt {
 public:
  explicit EndedOnInterrupt(pid_t processGroup);
  ~EndedOnInterrupt();
  EndedOnInterrupt(const EndedOnInterrupt&) = delete;
  EndedOnInterrupt& operator=(const EndedOnInterrupt&) = delete;

 private:
  std::uint64_t id_;
};

}  // namespace tabulara::xlsx
