#include "addin/excel_events.h"

namespace tabulara::addin {

void ExcelEvents::DeleteButtons() {
  const auto menuBar = WorksheetMenuBar();
  menuBar->Protection(host::msoBarNoProtection);

  if (!mainPopup) {
    mainPopup = AsPopup(menuBar->FindControl(host::msoControlPopup, host::kCustomControlId, kMainPopupTag));
  }
  if (mainPopup) (*mainPopup)->Delete();

  if (!commentPopup) {
    commentPopup =
        AsPopup(CellMenuBar()->FindControl(host::msoControlPopup, host::kCustomControlId, kCommentPopupTag));
  }
  if (commentPopup) (*commentPopup)->Delete();

  if (templateButtons) templateButtons->Clear();
}

}  // namespace tabulara::addin
