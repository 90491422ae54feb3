#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "embedded/model/workbook.h"
#include "xlsx/package/package.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

// Reads a workbook file (or a pipe) into a new model workbook and runs every
// workbook aspect's Read in the order of aspects.h; a sheet's aspects read
// its part when the sheet's content is first wanted. A legacy binary workbook is
// converted with `soffice` when it is on the PATH, else refused. Every
// failure is a PackageError whose message names the file.
std::unique_ptr<WorkbookParts> ReadWorkbookParts(const std::filesystem::path& file, PackageLimits limits = {});

// Runs `read`; a failure becomes a PackageError whose message names the file.
void NamingTheFile(const std::filesystem::path& file, const std::function<void()>& read);

// A new package for a workbook built in the model: the minimal parts of a
// workbook with no sheets yet, which the aspects fill when writing; no
// aspect reads.
std::unique_ptr<WorkbookParts> NewWorkbookParts(std::shared_ptr<embedded::model::Workbook> workbook);

// Runs every aspect's Write in the order of aspects.h and puts the changed
// XML, relationships and content types into the package.
void WriteWorkbookParts(WorkbookParts& parts);

}  // namespace tabulara::xlsx
