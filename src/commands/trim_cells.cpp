#include <exception>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "addin/message_box.h"
#include "addin/report_error.h"
#include "addin/text.h"
#include "host/conversions.h"
#include "platform/platform.h"

namespace tabulara::addin {
namespace {

// A selection of this many cells or more is refused; one of more than the
// confirmation limit asks first.
constexpr std::int64_t kRefusalLimit = 196608;
constexpr std::int64_t kConfirmationLimit = 10000;

void TrimConstantCells(const host::Ref<host::Range>& range) {
  for (const auto& cell : host::Each(range)) {
    const host::Variant value = cell->Value();
    if (value.IsError() || cell->HasFormula() || cell->HasArray()) continue;
    cell->Value(TrimBlanks(host::ToText(value)));
  }
}

}  // namespace

void ExcelEvents::btnClearCellBlank_Click(const Button&, bool&) {
  try {
    const auto selection = Application()->Selection();
    if (!selection) {
      ShowMessage(Message("lang039"), platform::vbQuestion);
      return;
    }
    const auto range = std::dynamic_pointer_cast<host::Range>(*selection);
    if (!range) return;

    const std::int64_t count = range->Count();
    if (count >= kRefusalLimit) {
      ShowMessage(Message("lang037", {kRefusalLimit}), platform::vbInformation);
      return;
    }
    if (count > kConfirmationLimit) {
      const int answer = ShowMessage(Message("lang038", {kConfirmationLimit, "\r\n\r\n"}),
                                     platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2);
      if (answer == platform::vbNo) return;
    }

    const auto application = Application();
    application->ScreenUpdating(false);
    application->EnableEvents(false);
    application->Cursor(host::xlWait);
    TrimConstantCells(range);
    application->EnableEvents(true);
    application->ScreenUpdating(true);
    application->Cursor(host::xlDefault);
  } catch (const std::exception& error) {
    const auto application = Application();
    application->Cursor(host::xlDefault);
    application->EnableEvents(true);
    application->ScreenUpdating(true);
    ReportError(error.what());
  }
}

}  // namespace tabulara::addin
