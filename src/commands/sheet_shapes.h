#pragma once

#include <vector>

#include "host/host.h"

namespace tabulara::commands {

// The shapes of a sheet, taken before any is deleted.
std::vector<host::Ref<host::Shape>> ShapesOf(const host::Ref<host::Worksheet>& sheet);

}  // namespace tabulara::commands
