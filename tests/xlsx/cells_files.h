#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "embedded/model/workbook.h"
#include "host/variant.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx::cells_testing {

// An empty workbook of the model.
std::shared_ptr<embedded::model::Workbook> NewWorkbook();

// A corpus workbook, or an empty path when the corpus is not beside the
// repository.
std::filesystem::path CorpusFile(const std::string& name);

embedded::model::Sheet& SheetNamed(embedded::model::Workbook& workbook, std::string_view name);
// The cell's value as the host gives it ("B3").
host::Variant ValueAt(const embedded::model::Workbook& workbook, const embedded::model::Sheet& sheet,
                      std::string_view cell);
// The cell's formula, "" without one.
std::string FormulaAt(const embedded::model::Sheet& sheet, std::string_view cell);
embedded::model::CellAddress Address(std::string_view cell);
const embedded::model::CellFormat& FormatAt(const embedded::model::Workbook& workbook,
                                            const embedded::model::Sheet& sheet, std::string_view cell);

// Opens `file`, saves it to `saved`, and returns the saved file opened again.
std::unique_ptr<WorkbookFile> SaveAndReopen(WorkbookFile& file, const std::filesystem::path& saved);

// The <sheetData> element of a worksheet part, as written.
std::string SheetDataOf(const std::string& worksheetXml);

}  // namespace tabulara::xlsx::cells_testing
