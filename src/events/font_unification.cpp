#include <optional>

#include "addin/excel_events.h"
#include "addin/message_box.h"
#include "addin/report_error.h"
#include "commands/active_workbook.h"
#include "platform/platform.h"
#include "settings/user_settings.h"

namespace tabulara::addin {
namespace {

constexpr const char* kFontSection = "FontSetting";

// The user's font settings, read afresh at every run in this order.
struct FontSettings {
  bool sameName = false;
  bool sameStyle = false;
  bool sameSize = false;
  std::string name;
  bool bold = false;
  bool italic = false;
  int size = 0;
};

FontSettings ReadFontSettings() {
  FontSettings settings;
  settings.sameName = settings::ReadSettingFlag(kFontSection, "SameFontName", 0);
  settings.sameStyle = settings::ReadSettingFlag(kFontSection, "SameFontStyle", 0);
  settings.sameSize = settings::ReadSettingFlag(kFontSection, "SameFontSize", 0);
  settings.name = settings::ReadSetting(kFontSection, "FontName", "Arial");
  settings.bold = settings::ReadSettingFlag(kFontSection, "FontBold", 0);
  settings.italic = settings::ReadSettingFlag(kFontSection, "FontItalic", 0);
  settings.size = settings::ReadSettingInteger(kFontSection, "FontSize", 10);
  return settings;
}

}  // namespace

void ExcelEvents::btnFont_Click(const Button&, bool&) { UnifySheetsFont(); }

// One assignment per attribute on each worksheet's whole grid; a protected
// worksheet is left as it is.
void ExcelEvents::UnifySheetsFont() {
  try {
    const FontSettings settings = ReadFontSettings();
    if (!settings.sameName && !settings.sameStyle && !settings.sameSize) return;
    Application()->ScreenUpdating(false);
    for (const auto& sheet : host::Each(commands::ActiveWorkbook(Application())->Worksheets())) {
      const auto worksheet = std::dynamic_pointer_cast<host::Worksheet>(sheet);
      if (!worksheet || worksheet->ProtectScenarios()) continue;
      const host::Ref<host::Font> font = worksheet->Cells()->Font();
      if (settings.sameName) font->Name(settings.name);
      if (settings.sameStyle) {
        font->Bold(settings.bold);
        font->Italic(settings.italic);
      }
      if (settings.sameSize) font->Size(settings.size);
    }
    Application()->ScreenUpdating(true);
  } catch (const host::HostError& error) {
    Application()->ScreenUpdating(true);
    ShowMessage(error.Description(), platform::vbExclamation);
  }
}

// Spotter lines never reach a file, and the save always goes ahead: lines
// the host refuses to delete (on a protected sheet) stay, and a setting
// that cannot be read is reported once the lines are gone.
void ExcelEvents::WorkbookBeforeSave(const host::Ref<host::Workbook>& wb, bool, bool&) {
  std::optional<host::HostError> unreadable;
  bool unify = false;
  try {
    unify = settings::ReadSettingFlag(kFontSection, "BeforeSave", 0);
  } catch (const host::HostError& error) {
    unreadable = error;
  }
  for (const auto& sheet : host::Each(wb->Worksheets())) {
    const auto worksheet = std::dynamic_pointer_cast<host::Worksheet>(sheet);
    if (!worksheet) continue;
    try {
      ClearCellSpotter(worksheet);
    } catch (const host::HostError&) {
      // The sheet keeps its lines; the save goes on.
    }
  }
  if (unreadable) {
    ReportError(unreadable->Description());
  } else if (unify) {
    UnifySheetsFont();
  }
}

}  // namespace tabulara::addin
