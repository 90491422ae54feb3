#include "settings/frm_config.h"

namespace tabulara::settings {

void FrmConfig::Click(Control control) {
  switch (control) {
    case Control::chkCommentStyle:
    case Control::chkCellSpotter:
    case Control::chkFormula:
      GeneralChanged();
      break;
    case Control::chkBeforeSave:
    case Control::chkFontName:
    case Control::chkFontStyle:
    case Control::chkFontSize:
      FontChanged();
      break;
    case Control::lstFont:
    case Control::cmbStyle:
    case Control::cmbSize:
      DrawSample();
      FontChanged();
      break;
    case Control::cmdOK:
      cmdOK_Click();
      break;
    case Control::cmdCancel:
      view_.Close();
      break;
    case Control::cmdApply:
      cmdApply_Click();
      break;
    default:
      break;
  }
}

void FrmConfig::ItemCheck(Control list, int) {
  if (list == Control::lstVisiblity) GeneralChanged();
}

bool FrmConfig::KeyPress(Control control, int keyAscii) {
  return control != Control::cmbSize || cmbSize_KeyPress(keyAscii);
}

// The size can only be typed as digits; Backspace edits it.
bool FrmConfig::cmbSize_KeyPress(int keyAscii) {
  constexpr int kBackspace = 8;
  const bool accepted = keyAscii == kBackspace || (keyAscii >= '0' && keyAscii <= '9');
  if (accepted) FontChanged();
  return accepted;
}

void FrmConfig::GeneralChanged() {
  generalSaved_ = false;
  view_.SetEnabled(Control::cmdApply, true);
}

void FrmConfig::FontChanged() {
  fontSaved_ = false;
  view_.SetEnabled(Control::cmdApply, true);
}

void FrmConfig::SetCheckBox(Control checkBox, bool ticked) {
  if (view_.Checked(checkBox) == ticked) return;
  view_.SetChecked(checkBox, ticked);
  Click(checkBox);
}

void FrmConfig::SetBoxText(Control box, const std::string& text) {
  if (view_.Text(box) == text) return;
  view_.SetText(box, text);
  Click(box);
}

}  // namespace tabulara::settings
