#pragma once

#include <string>
#include <vector>

namespace tabulara::xlsx::testing {

// A small OLE2 compound file (512-byte sectors: one of the allocation
// table, one of the directory) whose directory holds the root storage and
// empty streams of these names, at most three.
std::string CompoundFileWithStreams(const std::vector<std::string>& names);

}  // namespace tabulara::xlsx::testing
