#pragma once

#include <cstdint>

#include "embedded/model/workbook.h"

namespace tabulara::cli {

// A digest of everything in a workbook that its file keeps and a command can
// change: sheets, protection, cells with their values, formulas and formats,
// rows and columns, shapes, comments and hyperlinks. Like the spreadsheet
// host, it leaves out the active sheet and the selection, which do not make
// a workbook changed.
std::uint64_t ChangeFingerprint(const embedded::model::Workbook& workbook);

}  // namespace tabulara::cli
