#include "addin/excel_events.h"
#include "addin/globals.h"
#include "platform/platform.h"

namespace tabulara::addin {

// Appends a Miscellaneous button; one with a bitmap takes it as its face
// through the clipboard, which is left empty.
void ExcelEvents::AddMiscButton(host::ButtonWithEvents& reference, const ItemCaption& caption, bool beginGroup,
                                int bitmap) {
  AddMenuButton(*miscPopup, reference, caption, beginGroup, true, 0);
  if (bitmap == 0) return;
  auto& platform = platform::Current();
  platform.ClearClipboard();
  platform.PutBitmapOnClipboard(bitmap);
  reference->PasteFace();
  platform.ClearClipboard();
}

void ExcelEvents::BuildMiscMenu() {
  miscPopup = AsPopup((*mainPopup)->Controls()->Add(host::msoControlPopup));
  const auto popup = *miscPopup;
  popup->BeginGroup(true);
  popup->Caption(Message("lang019"));
  miscBarName = popup->CommandBar()->Name();

  AddMiscButton(btnIMQQ, {"lang016"}, false, 109);
  AddMiscButton(btnIMMSN, {"lang017"}, false, 103);
  AddMiscButton(btnIMSkype, {"lang093"}, false, 107);
  AddMiscButton(btnOpenMydoc, {nullptr, "Open My Documents"}, true, 0);
  AddMiscButton(btnOpenInstallFolder, {nullptr, "Open Installation Folder"}, false, 0);
  AddMiscButton(btnVeduze, {"lang024"}, true, 0);
  AddMiscButton(btnWinmine, {"lang025"}, false, 0);
}

}  // namespace tabulara::addin
