#pragma once

#include "platform/posix/posix_platform.h"

namespace tabulara::cli {

// Whether dialogs can show: standard input and output are a terminal.
bool DialogsCanShow();

// The configuration and About dialogs as windows on the terminal.
void ShowDialogsOnTerminal(platform::posix::PosixOptions& options);

}  // namespace tabulara::cli
