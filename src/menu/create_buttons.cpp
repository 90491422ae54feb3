#include "addin/excel_events.h"
#include "addin/globals.h"

namespace tabulara::addin {

host::Ref<host::CommandBar> ExcelEvents::WorksheetMenuBar() { return cmdBars->Item(1); }

void ExcelEvents::CreateButtons() {
  const auto menuBar = WorksheetMenuBar();
  menuBar->Protection(host::msoBarNoProtection);

  mainPopup = AsPopup(menuBar->FindControl(host::msoControlPopup, host::kCustomControlId, kMainPopupTag));
  if (mainPopup) (*mainPopup)->Delete();

  const auto count = menuBar->Controls()->Count();
  mainPopup = AsPopup(menuBar->Controls()->Add(host::msoControlPopup, std::nullopt, std::nullopt, count - 1, true));
  (*mainPopup)->Caption(Message("lang001"));
  (*mainPopup)->Tag(kMainPopupTag);

  menuBar->Protection(host::msoBarNoCustomize);
}

}  // namespace tabulara::addin
