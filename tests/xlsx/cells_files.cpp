#include "xlsx/cells_files.h"

#include <stdexcept>

#include "embedded/rules/cell_values.h"
#include "embedded/rules/reference_text.h"
#include "xlsx/structure_files.h"

namespace tabulara::xlsx::cells_testing {

std::shared_ptr<embedded::model::Workbook> NewWorkbook() { return std::make_shared<embedded::model::Workbook>(); }

std::filesystem::path CorpusFile(const std::string& name) {
  const auto path = testing::CorpusFolder() / name;
  return std::filesystem::exists(path) ? path : std::filesystem::path();
}

embedded::model::Sheet& SheetNamed(embedded::model::Workbook& workbook, std::string_view name) {
  for (const auto& sheet : workbook.sheets) {
    if (sheet->name == name) return *sheet;
  }
  throw std::invalid_argument("no sheet " + std::string(name));
}

embedded::model::CellAddress Address(std::string_view cell) {
  const auto areas = embedded::ParseReference(cell);
  if (!areas || areas->size() != 1) throw std::invalid_argument("no cell " + std::string(cell));
  return areas->front().TopLeft();
}

host::Variant ValueAt(const embedded::model::Workbook& workbook, const embedded::model::Sheet& sheet,
                      std::string_view cell) {
  return embedded::CellValue(workbook, sheet.grid, Address(cell));
}

std::string FormulaAt(const embedded::model::Sheet& sheet, std::string_view cell) {
  const std::string* formula = sheet.grid.FormulaShown(Address(cell));
  return formula != nullptr ? *formula : "";
}

const embedded::model::CellFormat& FormatAt(const embedded::model::Workbook& workbook,
                                            const embedded::model::Sheet& sheet, std::string_view cell) {
  return workbook.formats.Get(sheet.grid.FormatOf(Address(cell)));
}

std::unique_ptr<WorkbookFile> SaveAndReopen(WorkbookFile& file, const std::filesystem::path& saved) {
  file.Save(saved);
  return WorkbookFile::Open(saved);
}

std::string SheetDataOf(const std::string& worksheetXml) {
  const auto start = worksheetXml.find("<sheetData");
  const auto end = worksheetXml.find("</sheetData>");
  if (start == std::string::npos) return "";
  if (end == std::string::npos) return worksheetXml.substr(start, worksheetXml.find("/>", start) + 2 - start);
  return worksheetXml.substr(start, end + 12 - start);
}

}  // namespace tabulara::xlsx::cells_testing
