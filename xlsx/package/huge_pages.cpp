#include "xlsx/package/huge_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace tabulara::xlsx {

void AdviseHugePages(const void* data, std::size_t size) {
  // The size of one huge page: less could hold none.
  constexpr std::size_t kLarge = std::size_t{2} << 20;
  if (size < kLarge) return;
  const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + pageSize - 1) / pageSize * pageSize;
  const std::uintptr_t last = (begin + size) / pageSize * pageSize;
  // Where the kernel has no huge pages to give, nothing changes.
  madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

void ReserveLargeText(std::string& text, std::size_t size) {
  text.reserve(size);
  AdviseHugePages(text.data(), text.capacity());
}

}  // namespace tabulara::xlsx
