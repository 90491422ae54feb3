#include "addin/excel_events.h"
#include "addin/globals.h"

namespace tabulara::addin {

host::Ref<host::CommandBar> ExcelEvents::WorksheetMenuBar() { return cmdBars->Item(1); }

host::Ref<host::CommandBarButton> AsButton(const host::Ref<host::CommandBarControl>& control) {
  auto button = std::dynamic_pointer_cast<host::CommandBarButton>(control);
  if (!button) throw host::TypeMismatch();
  return button;
}

// Appends a button to `popup` and holds it in `reference`, which subscribes
// its Click; then sets its group line, style, caption and face, in that
// order, where the menu gives them.
void ExcelEvents::AddMenuButton(const host::Ref<host::CommandBarPopup>& popup, host::ButtonWithEvents& reference,
                                const ItemCaption& caption, bool beginGroup, bool iconAndCaption, int faceId) {
  reference = AsButton(popup->Controls()->Add(host::msoControlButton));
  if (beginGroup) reference->BeginGroup(true);
  if (iconAndCaption) reference->Style(host::msoButtonIconAndCaption);
  reference->Caption(caption.key != nullptr ? Message(caption.key) : caption.fixed);
  if (faceId != 0) reference->FaceId(faceId);
}

void ExcelEvents::CreateButtons() {
  const auto menuBar = WorksheetMenuBar();
  menuBar->Protection(host::msoBarNoProtection);

  mainPopup = AsPopup(menuBar->FindControl(host::msoControlPopup, host::kCustomControlId, kMainPopupTag));
  if (mainPopup) (*mainPopup)->Delete();

  const auto count = menuBar->Controls()->Count();
  mainPopup = AsPopup(menuBar->Controls()->Add(host::msoControlPopup, std::nullopt, std::nullopt, count - 1, true));
  const auto popup = *mainPopup;
  popup->Caption(Message("lang001"));
  popup->Tag(kMainPopupTag);

  constexpr bool kGroup = true;
  constexpr bool kIconAndCaption = true;
  AddMenuButton(popup, btnShUcase, {"lang004"}, !kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnShLcase, {"lang005"}, !kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnShPcase, {"lang006"}, !kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnShSort, {"lang007"}, !kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnIndex, {"lang008"}, !kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnClearShape, {"lang009"}, kGroup, kIconAndCaption, 508);
  AddMenuButton(popup, btnClearSheet, {"lang010"}, !kGroup, kIconAndCaption, 358);
  AddMenuButton(popup, btnClearHyperlinks, {"lang012"}, !kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnClearCellBlank, {"lang011"}, kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnFomula2No, {"lang015"}, !kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnSpotter, {"lang013"}, kGroup, kIconAndCaption, 442);
  AddMenuButton(popup, btnClearSpotter, {"lang014"}, !kGroup, kIconAndCaption, 0);
  AddMenuButton(popup, btnFont, {"lang018"}, kGroup, kIconAndCaption, 0);
  BuildTemplateMenu();
  BuildMiscMenu();

  AddMenuButton(popup, btnConfig, {"lang020"}, kGroup, kIconAndCaption, 642);
  AddMenuButton(popup, btnHelp, {"lang021"}, kGroup, !kIconAndCaption, 983);
  AddMenuButton(popup, btnAbout, {"lang022"}, kGroup, !kIconAndCaption, 0);
  BuildCommentMenu();

  menuBar->Protection(host::msoBarNoCustomize);
}

}  // namespace tabulara::addin
