// Reads arbitrary bytes as a workbook file and writes it back: every input
// must end in a workbook or a PackageError, never a crash or a hang.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "xlsx/package/package_error.h"
#include "xlsx/structure/workbook_io.h"

namespace {

std::filesystem::path ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tabulara-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) abort();
  return pattern;
}

// Small enough that a zip bomb is refused long before memory runs out.
constexpr tabulara::xlsx::PackageLimits kLimits{std::uint64_t{1} << 24, std::uint64_t{1} << 26};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder = ScratchFolder();
  const auto input = folder / "input.xlsx";
  std::ofstream(input, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
  try {
    auto parts = tabulara::xlsx::ReadWorkbookParts(input, kLimits);
    // Sheets are read when first wanted: every one of them here.
    for (const auto& sheet : parts->workbook->sheets) sheet->LoadContent();
    tabulara::xlsx::WriteWorkbookParts(*parts);
    parts->package.Save(folder / "output.xlsx");
  } catch (const tabulara::xlsx::PackageError&) {
  }
  return 0;
}
