#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "embedded/model/workbook.h"
#include "xlsx/package/package.h"

namespace tabulara::xlsx {

struct WorkbookParts;

// A workbook file (.xlsx, .xlsm, .xltx, .xltm, or any name whose content is
// such a package) read into the embedded host's model, with everything
// needed to write it back losslessly: a part whose model state did not
// change is written back byte for byte, a changed part is edited in place
// and keeps what the model does not understand.
class WorkbookFile {
 public:
  // Reads a package; PackageError with a message for the user when the
  // file cannot be read or is no workbook (a legacy binary workbook is
  // named as such).
  static std::unique_ptr<WorkbookFile> Open(const std::filesystem::path& file, PackageLimits limits = {});
  // A file for a workbook built in the model, written from scratch.
  static std::unique_ptr<WorkbookFile> Create(std::shared_ptr<embedded::model::Workbook> workbook);
  // The file of parts read or made by Open and Create.
  explicit WorkbookFile(std::unique_ptr<WorkbookParts> parts);
  ~WorkbookFile();

  const std::shared_ptr<embedded::model::Workbook>& workbook() const;
  // Why the first sheet that could not be read, when its content was first
  // wanted, could not.
  const std::optional<std::string>& ReadFailure() const;
  // Calls `observer` whenever a sheet's content has been read from the file.
  void OnSheetRead(std::function<void(const embedded::model::Sheet&)> observer);
  // Writes the workbook to a temporary file beside `file`, which then
  // replaces `file`; a failure leaves `file` as it was. PackageError, with
  // nothing written, when the extension of `file` is not the one of the
  // workbook's kind (.xlsx, .xlsm, .xltx, .xltm, .xlam).
  void Save(const std::filesystem::path& file);

 private:
  std::unique_ptr<WorkbookParts> parts_;
};

}  // namespace tabulara::xlsx
