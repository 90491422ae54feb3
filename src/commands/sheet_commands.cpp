#include <exception>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "addin/message_box.h"
#include "addin/report_error.h"
#include "commands/active_workbook.h"
#include "commands/sheet_shapes.h"
#include "platform/platform.h"

namespace tabulara::addin {
namespace {

// The frame of the commands that change the active worksheet: nothing on
// another kind of sheet, the command's protection message on a protected
// worksheet, else its work. Screen updating is on again after a failure,
// which `failed` then reports. The application is read afresh at each use.
template <class Application, class Work, class Failed>
void OnActiveWorksheet(Application application, const char* protectionKey, Work work, Failed failed) {
  try {
    const auto active = commands::ActiveWorkbook(application())->ActiveSheet();
    if (!active) return;
    const auto sheet = std::dynamic_pointer_cast<host::Worksheet>(*active);
    if (!sheet) return;
    if (sheet->ProtectScenarios()) {
      ShowMessage(Message(protectionKey), platform::vbQuestion);
      return;
    }
    work(sheet);
  } catch (const host::HostError& error) {
    application()->ScreenUpdating(true);
    failed(error);
  } catch (const std::exception& error) {
    application()->ScreenUpdating(true);
    failed(host::HostError(0, error.what()));
  }
}

void Report(const host::HostError& error) { ReportError(error.Description()); }

}  // namespace

void ExcelEvents::btnClearHyperlinks_Click(const Button&, bool&) {
  const auto application = [this] { return Application(); };
  OnActiveWorksheet(
      application, "lang041",
      [&](const host::Ref<host::Worksheet>& sheet) {
        if (sheet->Hyperlinks()->Count() < 1) {
          ShowMessage(Message("lang040"), platform::vbInformation);
          return;
        }
        application()->ScreenUpdating(false);
        sheet->Hyperlinks()->Delete();
        application()->ScreenUpdating(true);
      },
      Report);
}

void ExcelEvents::btnClearShape_Click(const Button&, bool&) {
  const auto application = [this] { return Application(); };
  OnActiveWorksheet(
      application, "lang042",
      [&](const host::Ref<host::Worksheet>& sheet) {
        application()->ScreenUpdating(false);
        for (const auto& shape : commands::ShapesOf(sheet)) {
          if (shape->Type() != host::msoComment) shape->Delete();
        }
        application()->ScreenUpdating(true);
      },
      Report);
}

void ExcelEvents::btnClearSheet_Click(const Button&, bool&) {
  const auto application = [this] { return Application(); };
  OnActiveWorksheet(
      application, "lang043",
      [&](const host::Ref<host::Worksheet>& sheet) {
        application()->ScreenUpdating(false);
        sheet->Cells()->Clear();
        for (const auto& shape : commands::ShapesOf(sheet)) shape->Delete();
        application()->ScreenUpdating(true);
      },
      Report);
}

void ExcelEvents::btnFomula2No_Click(const Button&, bool&) {
  const auto application = [this] { return Application(); };
  OnActiveWorksheet(
      application, "lang044",
      [&](const host::Ref<host::Worksheet>& sheet) {
        application()->ScreenUpdating(false);
        sheet->Calculate();
        const auto formulas = sheet->Cells()->SpecialCells(host::xlCellTypeFormulas, host::xlAllFormulaResults);
        for (const auto& cell : host::Each(formulas)) cell->Value(cell->Value());
        application()->ScreenUpdating(true);
      },
      [](const host::HostError& error) {
        if (error.Number() == host::kErrHostFailed) {
          ShowMessage(Message("lang045"), platform::vbInformation);
        } else {
          ReportError(error.Description());
        }
      });
}

}  // namespace tabulara::addin
