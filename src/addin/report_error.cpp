#include "addin/report_error.h"

#include "addin/globals.h"
#include "platform/platform.h"

namespace tabulara::addin {

void ReportError(const std::string& description) {
  platform::Current().MessageBox(gAppError + "\r\n\r\n" + description, platform::vbExclamation, gAppTitle);
}

}  // namespace tabulara::addin
