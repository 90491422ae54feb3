#include "cli/support/sample_workbook.h"

#include "embedded/embedded_host.h"
#include "xlsx/workbook_file.h"

namespace tabulara::testing {

void WriteSampleWorkbook(const std::filesystem::path& file) {
  embedded::EmbeddedHost host;
  auto& workbook = host.NewWorkbook({"Data", "Notes", "Archive"}, file.filename().string());
  auto& data = host.Sheet(workbook, "Data");
  host.SetValue(data, "A1", 42);
  host.SetValue(data, "A2", "Grid Wright");
  host.SetFormula(data, "A3", "=A1*2", 84);
  host.SetValue(data, "A4", true);
  host.SetValue(host.Sheet(workbook, "Notes"), "B2", "note");
  host.Sheet(workbook, "Archive").visibility = host::xlSheetHidden;
  host.Activate(data);
  xlsx::WorkbookFile::Create(host.model().workbooks.back())->Save(file);
}

}  // namespace tabulara::testing
