#include <exception>
#include <functional>
#include <vector>

#include "addin/excel_events.h"
#include "addin/report_error.h"
#include "addin/text.h"
#include "commands/active_workbook.h"
#include "platform/platform.h"

namespace tabulara::addin {
namespace {

// Gives every sheet that is not hidden (very hidden ones included) the name
// `change` makes of its name. The host's first refusal ends the command
// and goes back to the host.
void RenameSheetsNotHidden(const host::Ref<host::Application>& application,
                           const std::function<std::string(const std::string&)>& change) {
  const auto workbook = commands::ActiveWorkbook(application);
  for (const auto& sheet : host::Each(workbook->Sheets())) {
    if (sheet->Visible() == host::xlSheetHidden) continue;
    sheet->Name(change(sheet->Name()));
  }
}

}  // namespace

void ExcelEvents::btnShUcase_Click(const Button&, bool&) {
  RenameSheetsNotHidden(Application(), [](const std::string& name) { return platform::Current().UpperCase(name); });
}

void ExcelEvents::btnShLcase_Click(const Button&, bool&) {
  RenameSheetsNotHidden(Application(), [](const std::string& name) { return platform::Current().LowerCase(name); });
}

void ExcelEvents::btnShPcase_Click(const Button&, bool&) { RenameSheetsNotHidden(Application(), CapitalizeText); }

void ExcelEvents::btnShSort_Click(const Button&, bool&) {
  try {
    const auto workbook = commands::ActiveWorkbook(Application());
    const auto sheets = workbook->Sheets();
    const auto count = sheets->Count();
    if (count == 1) return;
    const auto active = workbook->ActiveSheet();

    std::vector<std::string> names;
    for (std::int32_t position = 1; position <= count; ++position) names.push_back(sheets->Item(position)->Name());
    SortTexts(names, false);

    for (std::size_t k = 0; k < names.size(); ++k) {
      sheets->Item(names[k])->Move(sheets->Item(static_cast<std::int32_t>(k + 1)));
    }
    if (!active) throw host::ObjectVariableNotSet();
    (*active)->Activate();
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

}  // namespace tabulara::addin
