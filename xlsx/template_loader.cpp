#include "xlsx/template_loader.h"

#include "embedded/rules/host_errors.h"
#include "xlsx/package/package_error.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {

embedded::TemplateLoader MakeTemplateLoader() {
  return [](const std::string& path) {
    try {
      const auto file = WorkbookFile::Open(path);
      // The sheets outlive the file they would be read from.
      for (const auto& sheet : file->workbook()->sheets) sheet->LoadContent();
      return file->workbook();
    } catch (const PackageError&) {
      throw embedded::UnreadableFile(path);
    }
  };
}

}  // namespace tabulara::xlsx
