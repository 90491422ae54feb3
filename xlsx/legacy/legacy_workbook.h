#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace tabulara::xlsx {

// How long `soffice` may take to convert a legacy binary workbook.
inline constexpr std::chrono::seconds kConversionTimeLimit{120};

// The .xlsx package of the workbook an OLE2 compound file holds: a legacy
// binary workbook (.xls, .xlt) converted by `soffice` when it is on the PATH,
// read with the spreadsheet import filter only. PackageError, with a message
// for the user, for an encrypted workbook, a compound file that holds no
// workbook, no `soffice`, and a conversion that fails or takes longer than
// `limit`.
std::string PackageOfCompoundFile(std::string_view bytes, std::chrono::seconds limit = kConversionTimeLimit);

}  // namespace tabulara::xlsx
