#include "xlsx/package/huge_pages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tabulara::xlsx {
namespace {

// The VmFlags of the mapping that holds `address`, from /proc/self/smaps.
std::string FlagsOfMappingAt(const void* address) {
  const auto wanted = reinterpret_cast<std::uintptr_t>(address);
  std::ifstream smaps("/proc/self/smaps");
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    char dash = 0;
    std::istringstream range(line);
    if (range >> std::hex >> begin >> dash >> end && dash == '-') inside = begin <= wanted && wanted < end;
    if (inside && line.starts_with("VmFlags:")) return line;
  }
  return {};
}

bool KernelTakesHugePageAdvice() {
  std::vector<char> probe(std::size_t{8} << 20);
  return madvise(reinterpret_cast<void*>((reinterpret_cast<std::uintptr_t>(probe.data()) + 4095) / 4096 * 4096),
                 4096, MADV_HUGEPAGE) == 0;
}

TEST(HugePages, LargeTextsAndArraysAreAdvisedSmallOnesAreNot) {
  if (!KernelTakesHugePageAdvice()) GTEST_SKIP() << "this kernel has no transparent huge pages";
  std::string large;
  ReserveLargeText(large, std::size_t{16} << 20);
  ASSERT_GE(large.capacity(), std::size_t{16} << 20);
  std::vector<std::uint64_t> array;
  ReserveLarge(array, std::size_t{2} << 20);
  ASSERT_GE(array.capacity(), std::size_t{2} << 20);
  for (const void* middle : {static_cast<const void*>(large.data() + (8 << 20)),
                             static_cast<const void*>(array.data() + (1 << 20))}) {
    EXPECT_NE(FlagsOfMappingAt(middle).find(" hg"), std::string::npos) << FlagsOfMappingAt(middle);
  }

  std::string small;
  ReserveLargeText(small, std::size_t{1} << 20);
  EXPECT_GE(small.capacity(), std::size_t{1} << 20);
  EXPECT_EQ(FlagsOfMappingAt(small.data() + (1 << 19)).find(" hg"), std::string::npos)
      << "a text below one huge page keeps its small pages";
}

}  // namespace
}  // namespace tabulara::xlsx
