#include "addin/excel_events.h"
#include "addin/globals.h"
#include "platform/platform.h"

namespace tabulara::addin {

// Appends a Miscellaneous button; one with a bitmap takes it as its face
// through the clipboard, which is left empty.
void ExcelEvents::AddMiscButton(host::ButtonWithEvents& reference, const std::string& caption, bool beginGroup,
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

  AddMiscButton(btnIMQQ, Message("lang016"), false, 109);
  AddMiscButton(btnIMMSN, Message("lang017"), false, 103);
  AddMiscButton(btnIMSkype, Message("lang093"), false, 107);
  AddMiscButton(btnOpenMydoc, "Open My Documents", true, 0);
  AddMiscButton(btnOpenInstallFolder, "Open Installation Folder", false, 0);
  AddMiscButton(btnVeduze, Message("lang024"), true, 0);
  AddMiscButton(btnWinmine, Message("lang025"), false, 0);
}

}  // namespace tabulara::addin
