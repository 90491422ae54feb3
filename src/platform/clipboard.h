#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tabulara::platform {

// The clipboard of the Linux platform, which the embedded host shares: the
// add-in puts a button face on it, a button's PasteFace takes it.
struct Clipboard {
  // A bitmap as the bytes of a .bmp file.
  std::optional<std::vector<std::uint8_t>> picture;
};

}  // namespace tabulara::platform
