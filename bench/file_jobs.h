#pragma once

#include <filesystem>

namespace tabulara::bench {

// Opens a workbook file and saves it, unchanged, to `output`.
void OpenAndSave(const std::filesystem::path& input, const std::filesystem::path& output);

// Opens a workbook file in the embedded host, changes every cell of every
// worksheet (a number goes up by one, a text gets a "+" appended) and saves
// it to `output`.
void ChangeEveryCellAndSave(const std::filesystem::path& input, const std::filesystem::path& output);

// The peak resident memory of this process so far, in KiB.
long PeakMemoryKiB();
// The processor time of this process so far (user and system), in seconds.
double ProcessorSeconds();

}  // namespace tabulara::bench
