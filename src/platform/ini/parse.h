#pragma once

#include <string_view>

#include "platform/ini/document.h"

namespace tabulara::platform::ini {

// Reads the bytes of a profile file as the profile functions read them.
Document Parse(std::string_view bytes);

}  // namespace tabulara::platform::ini
