#pragma once

#include <filesystem>
#include <optional>

namespace tabulara::xlsx {

// Whether the file starts with the signature of an OLE2 compound file, the
// container of the legacy binary workbooks (.xls, .xlt).
bool IsLegacyBinaryWorkbook(const std::filesystem::path& file);

// Converts a legacy binary workbook to an .xlsx package in `folder` with
// `soffice` when it is on the PATH; the converted file, or nothing.
std::optional<std::filesystem::path> ConvertLegacyWorkbook(const std::filesystem::path& file,
                                                           const std::filesystem::path& folder);

}  // namespace tabulara::xlsx
