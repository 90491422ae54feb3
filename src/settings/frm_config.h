#pragma once

#include <string>
#include <vector>

#include "platform/config_view.h"

namespace tabulara::settings {

// The configuration dialog: loads every per-user setting into its view,
// keeps for each of its two groups (General, Font) whether the group is
// stored, and stores a group on OK or Apply.
class FrmConfig : private platform::ConfigEvents {
 public:
  explicit FrmConfig(platform::ConfigView& view) : view_(view) {}

  // Loads the dialog afresh and shows it until it is closed. An error while
  // OK stores passes on to the caller.
  void Show();

 private:
  using Control = platform::ConfigControl;

  void Click(Control control) override;
  void ItemCheck(Control list, int item) override;
  bool KeyPress(Control control, int keyAscii) override;

  void Form_Load();
  void LoadSettings();
  void LoadVisibleItems();
  void DrawSample();
  void SaveFontSettings();
  void SaveGeneralSettings();
  void SaveVisibleItems();
  void cmdOK_Click();
  void cmdApply_Click();
  bool cmbSize_KeyPress(int keyAscii);

  void GeneralChanged();
  void FontChanged();
  // Sets a control as the user would, raising its Click when it changes.
  void SetCheckBox(Control checkBox, bool ticked);
  void SetBoxText(Control box, const std::string& text);
  // A failed check of the font group: the message, then the focus.
  void RefuseFontSettings(const char* messageKey, Control focus);

  platform::ConfigView& view_;
  std::string sampleText_;
  std::vector<std::string> fontFamilies_;
  bool generalSaved_ = true;
  bool fontSaved_ = true;
};

}  // namespace tabulara::settings
