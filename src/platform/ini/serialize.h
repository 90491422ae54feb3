#pragma once

#include <string>

#include "platform/ini/document.h"

namespace tabulara::platform::ini {

// The bytes of a profile file as the profile functions write it: in its own
// encoding, one line per section header and per entry, names and values as
// held, every line ended by CR LF, no blank lines.
std::string Serialize(const Document& document);

}  // namespace tabulara::platform::ini
