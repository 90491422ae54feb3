#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tabulara::embedded {

// The embedded host's clipboard, which stands in for the system clipboard:
// the add-in puts a button face on it, a button's PasteFace takes it.
struct Clipboard {
  // A bitmap as the bytes of a .bmp file.
  std::optional<std::vector<std::uint8_t>> picture;
};

}  // namespace tabulara::embedded
