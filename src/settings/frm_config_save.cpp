#include <cmath>
#include <exception>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "addin/message_box.h"
#include "addin/text.h"
#include "host/conversions.h"
#include "host/host_error.h"
#include "platform/platform.h"
#include "settings/config_controls.h"
#include "settings/font_styles.h"
#include "settings/formula_addin.h"
#include "settings/frm_config.h"
#include "settings/user_settings.h"

namespace tabulara::settings {
namespace {

constexpr double kSmallestFontSize = 6;
constexpr double kLargestFontSize = 72;

const char* CheckBoxText(bool ticked) { return ticked ? "1" : "0"; }
const char* StyleFlagText(bool on) { return on ? "-1" : "0"; }

}  // namespace

void FrmConfig::RefuseFontSettings(const char* messageKey, Control focus) {
  addin::ShowMessage(addin::Message(messageKey), platform::vbQuestion);
  view_.SetFocus(focus);
}

void FrmConfig::SaveFontSettings() {
  const auto family = view_.Selected(Control::lstFont);
  if (!family) return RefuseFontSettings("lang089", Control::lstFont);
  if (addin::TrimBlanks(view_.Text(Control::cmbStyle)).empty()) {
    return RefuseFontSettings("lang090", Control::cmbStyle);
  }
  const std::string size = view_.Text(Control::cmbSize);
  if (addin::TrimBlanks(size).empty()) return RefuseFontSettings("lang091", Control::cmbSize);
  const auto number = host::ParseNumber(size);
  if (!number) return RefuseFontSettings("lang092", Control::cmbSize);
  const double whole = std::nearbyint(*number);
  if (!(whole >= kSmallestFontSize && whole <= kLargestFontSize)) {
    return RefuseFontSettings("lang092", Control::cmbSize);
  }

  for (const CheckBoxSetting& box : kFontCheckBoxes) {
    WriteSetting(box.section, box.key, CheckBoxText(view_.Checked(box.control)));
  }
  WriteSetting(kFontSection, "FontName", fontFamilies_.at(static_cast<std::size_t>(*family)));
  WriteSetting(kFontSection, "FontSize", size);
  if (const auto style = FontStyleNamed(view_.Text(Control::cmbStyle))) {
    WriteSetting(kFontSection, "FontBold", StyleFlagText(style->bold));
    WriteSetting(kFontSection, "FontItalic", StyleFlagText(style->italic));
  }
  fontSaved_ = true;
}

void FrmConfig::SaveGeneralSettings() {
  for (const CheckBoxSetting& box : kGeneralCheckBoxes) {
    WriteSetting(box.section, box.key, CheckBoxText(view_.Checked(box.control)));
  }
  SaveVisibleItems();
  LoadFormulaAddIn(view_.Checked(Control::chkFormula));
  generalSaved_ = true;
}

void FrmConfig::SaveVisibleItems() {
  std::string visibility;
  for (int item = 0; item < view_.ItemCount(Control::lstVisiblity); ++item) {
    visibility += CheckBoxText(view_.ItemChecked(Control::lstVisiblity, item));
  }
  WriteSetting(kGeneralSection, "Visibility", visibility);
  if (!addin::gExcelEvents) throw host::ObjectVariableNotSet();
  addin::gExcelEvents->SetItemVisible(visibility);
}

void FrmConfig::cmdOK_Click() {
  if (!fontSaved_) SaveFontSettings();
  if (!generalSaved_) SaveGeneralSettings();
  if (fontSaved_) view_.Close();
}

// Stores the group of the tab shown; its errors end it silently.
void FrmConfig::cmdApply_Click() {
  try {
    if (view_.Tab() == 0) {
      SaveGeneralSettings();
      view_.SetEnabled(Control::cmdApply, false);
    } else {
      SaveFontSettings();
      if (fontSaved_) view_.SetEnabled(Control::cmdApply, false);
    }
  } catch (const std::exception&) {
  }
}

}  // namespace tabulara::settings
