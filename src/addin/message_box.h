#pragma once

#include <string>

namespace tabulara::addin {

// A message box titled gAppTitle; returns the answer.
int ShowMessage(const std::string& text, int flags);

}  // namespace tabulara::addin
