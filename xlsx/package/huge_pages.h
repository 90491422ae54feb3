#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tabulara::xlsx {

// Asks the kernel to back the `size` bytes at `data` with transparent huge
// pages, for memory nothing has been written to yet: the parts of a large
// workbook and what is made of them run to many megabytes, which then fault
// in 512 times less often. Advice only, and none below one huge page.
void AdviseHugePages(const void* data, std::size_t size);

// Reserves room for `size` bytes in `text`, advised for huge pages.
void ReserveLargeText(std::string& text, std::size_t size);

// Reserves room for `count` elements in `items`, advised for huge pages.
template <class T>
void ReserveLarge(std::vector<T>& items, std::size_t count) {
  items.reserve(count);
  AdviseHugePages(items.data(), items.capacity() * sizeof(T));
}

}  // namespace tabulara::xlsx
