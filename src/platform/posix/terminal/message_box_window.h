#pragma once

#include "platform/posix/message_boxes.h"

namespace tabulara::platform::posix::terminal {

// A message box over the open curses screen: the title in its frame, the
// text wrapped to the screen, OK or Yes and No buttons (Tab or arrows
// between them, Enter presses, Y and N answer). Returns vbOK, vbYes or vbNo.
int ShowMessageBoxWindow(const MessageBoxRequest& request);

}  // namespace tabulara::platform::posix::terminal
