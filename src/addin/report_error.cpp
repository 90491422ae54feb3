#include "addin/report_error.h"

#include "addin/globals.h"
#include "addin/message_box.h"
#include "platform/platform.h"

namespace tabulara::addin {

void ReportError(const std::string& description) {
  ShowMessage(gAppError + "\r\n\r\n" + description, platform::vbExclamation);
}

}  // namespace tabulara::addin
