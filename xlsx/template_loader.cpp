#include "xlsx/template_loader.h"

#include "embedded/rules/host_errors.h"
#include "xlsx/package/package_error.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {

embedded::TemplateLoader MakeTemplateLoader() {
  return [](const std::string& path) {
    try {
      return WorkbookFile::Open(path)->workbook();
    } catch (const PackageError&) {
      throw embedded::UnreadableFile(path);
    }
  };
}

}  // namespace tabulara::xlsx
