#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tabulara::platform::posix {

// The add-in's own bitmap resources (103, 107, 109) as .bmp file bytes.
std::optional<std::vector<std::uint8_t>> BitmapResource(int resourceId);

}  // namespace tabulara::platform::posix
