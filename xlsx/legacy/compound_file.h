#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulara::xlsx {

// Whether the bytes start with the signature of an OLE2 compound file, the
// container of legacy Office documents (.xls, .doc) and of OOXML documents
// saved with a password.
bool HasCompoundFileSignature(std::string_view bytes);

// The names of the storages and streams in a compound file's directory, in
// directory order; nothing when the directory cannot be read.
std::optional<std::vector<std::string>> CompoundFileEntryNames(std::string_view bytes);

}  // namespace tabulara::xlsx
