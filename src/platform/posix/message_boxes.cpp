#include "platform/posix/message_boxes.h"

#include "platform/platform.h"

namespace tabulara::platform::posix {

int DefaultAnswer(int flags) {
  if ((flags & 0xF) != vbYesNo) return vbOK;
  return (flags & vbDefaultButton2) != 0 ? vbNo : vbYes;
}

}  // namespace tabulara::platform::posix
