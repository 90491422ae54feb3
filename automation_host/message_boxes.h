#pragma once

#include <string>
#include <vector>

namespace tabulara::automation {

// Watches the message boxes shown on this thread while it lives: each is
// read (its text, as the user sees it) and answered with its default
// button, as a user pressing Enter.
class MessageBoxWatch {
 public:
  MessageBoxWatch();
  ~MessageBoxWatch();
  MessageBoxWatch(const MessageBoxWatch&) = delete;
  MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

  // The texts of the message boxes shown so far, in order.
  const std::vector<std::string>& texts() const;
};

}  // namespace tabulara::automation
