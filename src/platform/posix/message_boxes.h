#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tabulara::platform::posix {

// A message box as the add-in asked for it.
struct MessageBoxRequest {
  std::string text;
  int flags = 0;
  // None: the platform's default title.
  std::optional<std::string> title;
};

// Shows a message box and returns the answer (vbOK, vbYes, vbNo).
using MessageBoxPresenter = std::function<int(const MessageBoxRequest&)>;

// The title of a box the add-in gave none.
inline constexpr const char* kDefaultMessageBoxTitle = "Tabulara";

// The answer of the box's default button.
int DefaultAnswer(int flags);

}  // namespace tabulara::platform::posix
