// GoogleTest's own hook for a port, found before Debian's empty one: the
// win32-thread libstdc++ of mingw-w64's GCC 12 has no std::mutex and
// std::condition_variable, which GoogleTest's Notification is made of, so
// this one waits on an atomic flag. Only threads GoogleTest starts use it.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true, std::memory_order_release); }
  void WaitForNotification() {
    while (!notified_.load(std::memory_order_acquire)) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
