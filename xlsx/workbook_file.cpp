#include "xlsx/workbook_file.h"

#include "xlsx/structure/workbook_io.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

WorkbookFile::WorkbookFile(std::unique_ptr<WorkbookParts> parts) : parts_(std::move(parts)) {}

WorkbookFile::~WorkbookFile() = default;

std::unique_ptr<WorkbookFile> WorkbookFile::Open(const std::filesystem::path& file, PackageLimits limits) {
  return std::make_unique<WorkbookFile>(ReadWorkbookParts(file, limits));
}

std::unique_ptr<WorkbookFile> WorkbookFile::Create(std::shared_ptr<embedded::model::Workbook> workbook) {
  return std::make_unique<WorkbookFile>(NewWorkbookParts(std::move(workbook)));
}

const std::shared_ptr<embedded::model::Workbook>& WorkbookFile::workbook() const { return parts_->workbook; }

void WorkbookFile::Save(const std::filesystem::path& file) {
  WriteWorkbookParts(*parts_);
  parts_->package.Save(file);
}

}  // namespace tabulara::xlsx
