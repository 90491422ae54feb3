#include "platform/posix/desktop_open.h"

#include <spawn.h>

extern char** environ;

namespace tabulara::platform::posix {

void OpenWithDesktop(const std::string& target) {
  std::string program = "xdg-open";
  std::string argument = target;
  char* const arguments[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  posix_spawnp(&child, program.c_str(), nullptr, nullptr, arguments, environ);
}

}  // namespace tabulara::platform::posix
