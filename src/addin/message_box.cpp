#include "addin/message_box.h"

#include "addin/globals.h"
#include "platform/platform.h"

namespace tabulara::addin {

int ShowMessage(const std::string& text, int flags) { return platform::Current().MessageBox(text, flags, gAppTitle); }

}  // namespace tabulara::addin
