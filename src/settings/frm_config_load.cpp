#include <exception>
#include <iterator>

#include "addin/globals.h"
#include "addin/message_box.h"
#include "addin/text.h"
#include "host/conversions.h"
#include "host/host_error.h"
#include "platform/platform.h"
#include "settings/config_controls.h"
#include "settings/font_styles.h"
#include "settings/frm_config.h"
#include "settings/user_settings.h"

namespace tabulara::settings {
namespace {

// A check box's state from its setting: 0 unticked, 1 ticked.
bool CheckBoxState(const CheckBoxSetting& box) {
  switch (ReadSettingInteger(box.section, box.key, 0)) {
    case 0:
      return false;
    case 1:
      return true;
    default:
      throw host::HostError(380, "Invalid property value");
  }
}

// The style box's text for the stored "-1"/"0" pair; "Regular" for any
// other pair.
std::string StyleOfSettings(int bold, int italic) {
  const auto valid = [](int value) { return value == 0 || value == -1; };
  if (!valid(bold) || !valid(italic)) return kFontStyleNames[0];
  return FontStyleName({bold == -1, italic == -1});
}

}  // namespace

void FrmConfig::Show() {
  Form_Load();
  view_.ShowModal(*this);
}

void FrmConfig::Form_Load() {
  try {
    for (const ConfigCaption& caption : kConfigCaptions) view_.SetCaption(caption.control, addin::Message(caption.key));
    sampleText_ = addin::Message("lang088");
    LoadSettings();
    LoadVisibleItems();
    view_.ShowTab(0);
    view_.SetEnabled(Control::cmdApply, false);
  } catch (const std::exception& error) {
    addin::ShowMessage(error.what(), platform::vbOKOnly);
  }
}

void FrmConfig::LoadSettings() {
  fontFamilies_.clear();
  for (std::string& family : platform::Current().ScreenFontFamilies()) {
    if (!family.starts_with('@')) fontFamilies_.push_back(std::move(family));
  }
  view_.SetItems(Control::lstFont, fontFamilies_);
  view_.SetItems(Control::cmbStyle, {std::begin(kFontStyleNames), std::end(kFontStyleNames)});
  view_.SetItems(Control::cmbSize, {std::begin(kFontSizes), std::end(kFontSizes)});

  for (const CheckBoxSetting& box : kGeneralCheckBoxes) SetCheckBox(box.control, CheckBoxState(box));
  for (const CheckBoxSetting& box : kFontCheckBoxes) SetCheckBox(box.control, CheckBoxState(box));

  const std::string family = ReadSetting(kFontSection, "FontName", "Arial");
  for (std::size_t i = 0; i < fontFamilies_.size(); ++i) {
    if (fontFamilies_[i] != family) continue;
    if (view_.Selected(Control::lstFont) != static_cast<int>(i)) {
      view_.Select(Control::lstFont, static_cast<int>(i));
      Click(Control::lstFont);
    }
    break;
  }

  SetBoxText(Control::cmbStyle, StyleOfSettings(ReadSettingInteger(kFontSection, "FontBold", 0),
                                                ReadSettingInteger(kFontSection, "FontItalic", 0)));
  SetBoxText(Control::cmbSize, std::to_string(ReadSettingInteger(kFontSection, "FontSize", 10)));
  DrawSample();
  generalSaved_ = true;
  fontSaved_ = true;
}

void FrmConfig::LoadVisibleItems() {
  std::vector<std::string> captions;
  for (const std::string& caption : addin::gItemCaptions) {
    if (!caption.empty()) captions.push_back(caption);
  }
  view_.SetItems(Control::lstVisiblity, captions);

  const std::string visibility = addin::TrimBlanks(ReadSetting(kGeneralSection, "Visibility", ""));
  const bool applies = !visibility.empty() && visibility.size() == captions.size();
  for (std::size_t j = 0; j < captions.size(); ++j) {
    const int item = static_cast<int>(j);
    if (applies && !host::ToLogical(visibility.substr(j, 1))) continue;
    view_.SetItemChecked(Control::lstVisiblity, item, true);
    ItemCheck(Control::lstVisiblity, item);
  }
}

void FrmConfig::DrawSample() {
  view_.ClearSample();
  try {
    const auto selected = view_.Selected(Control::lstFont);
    if (!selected) throw host::HostError(host::kErrInvalidCall, "No font family selected");
    platform::SampleFont font = view_.GetSampleFont();
    font.name = fontFamilies_.at(static_cast<std::size_t>(*selected));
    font.size = host::ToInteger(view_.Text(Control::cmbSize));
    if (const auto style = FontStyleNamed(view_.Text(Control::cmbStyle))) {
      font.bold = style->bold;
      font.italic = style->italic;
    }
    view_.SetSampleFont(font);

    const platform::Extent area = view_.SampleArea();
    const platform::Extent text = view_.MeasureText(sampleText_);
    double x = (area.width - text.width) / 2;
    if (x < 0) x = 0;
    double y = (area.height - text.height) / 2;
    if (y < 0) y = area.height - text.height;
    view_.PrintText(x, y, sampleText_);
  } catch (const std::exception&) {
    view_.ClearSample();
  }
}

}  // namespace tabulara::settings
