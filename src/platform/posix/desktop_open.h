#pragma once

#include <string>

namespace tabulara::platform::posix {

// Opens a document, folder or web address in the desktop's program for it
// (xdg-open), without waiting for it to end; a failure to start is not
// reported.
void OpenWithDesktop(const std::string& target);

}  // namespace tabulara::platform::posix
