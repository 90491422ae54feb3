#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tabulara::automation {

// The picture on the Windows clipboard as the bytes of a .bmp file; none
// when it holds no bitmap.
std::optional<std::vector<std::uint8_t>> ClipboardPicture();

}  // namespace tabulara::automation
