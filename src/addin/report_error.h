#pragma once

#include <string>

namespace tabulara::addin {

// The error report: gAppError, two line breaks and the failure's
// description, with the exclamation icon, titled gAppTitle.
void ReportError(const std::string& description);

}  // namespace tabulara::addin
