#include "cli/terminal_dialogs.h"

#include <unistd.h>

#include "platform/posix/terminal/terminal_about_view.h"
#include "platform/posix/terminal/terminal_config_view.h"

namespace tabulara::cli {

bool DialogsCanShow() { return isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1; }

void ShowDialogsOnTerminal(platform::posix::PosixOptions& options) {
  using namespace platform::posix::terminal;
  options.configDialogs = [] { return std::make_shared<TerminalConfigView>(); };
  options.aboutDialogs = [] { return std::make_shared<TerminalAboutView>(); };
}

}  // namespace tabulara::cli
