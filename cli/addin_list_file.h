#pragma once

#include <filesystem>
#include <vector>

#include "embedded/addin_list.h"

namespace tabulara::cli {

// Where the host keeps its automation add-ins list between runs, per user:
// `configHome`/tabulara-host/addins.
std::filesystem::path AddInListFile(const std::filesystem::path& configHome);

// The list as kept: one add-in a line, "PROGID=1" installed, "PROGID=0" not.
// No file is an empty list; std::runtime_error when it cannot be read.
std::vector<embedded::AddInList::AddInView> ReadAddInList(const std::filesystem::path& file);
// Replaces the file at once (a temporary file renamed over it), making its
// folder as needed; std::runtime_error when it cannot be written.
void WriteAddInList(const std::filesystem::path& file, const std::vector<embedded::AddInList::AddInView>& list);

}  // namespace tabulara::cli
