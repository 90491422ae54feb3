#pragma once

#include "platform/clipboard.h"

namespace tabulara::embedded {

// The clipboard the embedded host's command bars take button faces from.
using Clipboard = platform::Clipboard;

}  // namespace tabulara::embedded
