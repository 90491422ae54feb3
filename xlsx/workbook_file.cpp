#include "xlsx/workbook_file.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "xlsx/package/package_error.h"
#include "xlsx/package/save_target.h"
#include "xlsx/structure/workbook_io.h"
#include "xlsx/structure/workbook_kinds.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {
namespace {

bool SameExtension(const std::string& extension, std::string_view wanted) {
  return std::equal(extension.begin(), extension.end(), wanted.begin(), wanted.end(),
                    [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

// A spreadsheet program opens a package only under the extension of its
// kind: a macro-enabled workbook is refused as .xlsx, and a package under a
// legacy name is taken for a damaged legacy file.
void RefuseMismatchedExtension(const WorkbookParts& parts, const std::filesystem::path& file) {
  const WorkbookKind* kind = WorkbookKindOf(parts.contentTypes.Of(parts.workbookPart));
  if (kind == nullptr || SameExtension(file.extension().string(), kind->extension)) return;
  const std::string extension(kind->extension);
  throw PackageError(file.string() + ": not written: the " + std::string(kind->description) +
                     " is saved as an " + extension + " file, so its name must end in " + extension +
                     " (-o NAME" + extension + ")");
}

}  // namespace

WorkbookFile::WorkbookFile(std::unique_ptr<WorkbookParts> parts) : parts_(std::move(parts)) {}

WorkbookFile::~WorkbookFile() = default;

std::unique_ptr<WorkbookFile> WorkbookFile::Open(const std::filesystem::path& file, PackageLimits limits) {
  return std::make_unique<WorkbookFile>(ReadWorkbookParts(file, limits));
}

std::unique_ptr<WorkbookFile> WorkbookFile::Create(std::shared_ptr<embedded::model::Workbook> workbook) {
  return std::make_unique<WorkbookFile>(NewWorkbookParts(std::move(workbook)));
}

const std::shared_ptr<embedded::model::Workbook>& WorkbookFile::workbook() const { return parts_->workbook; }

const std::optional<std::string>& WorkbookFile::ReadFailure() const { return parts_->readFailure; }

void WorkbookFile::OnSheetRead(std::function<void(const embedded::model::Sheet&)> observer) {
  parts_->sheetRead = std::move(observer);
}

void WorkbookFile::Save(const std::filesystem::path& file) {
  // What the target is (a device, a folder) tells the user more than its name.
  ResolveSaveTarget(file);
  RefuseMismatchedExtension(*parts_, file);
  WriteWorkbookParts(*parts_);
  parts_->package.Save(file);
}

}  // namespace tabulara::xlsx
