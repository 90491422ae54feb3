#pragma once

#include <filesystem>

namespace tabulara::testing {

// Writes a workbook built in the embedded host's model:
//   "Data" (active): A1 42, A2 "Grid Wright", A3 =A1*2 (84), A4 TRUE;
//   "Notes": B2 "note";
//   "Archive": hidden.
void WriteSampleWorkbook(const std::filesystem::path& file);

}  // namespace tabulara::testing
