#include "catalogue/language_choice.h"

#include "platform/platform.h"
#include "settings/ini_value.h"
#include "addin/text.h"

namespace tabulara::catalogue {

std::string LanguageForSystem(std::uint16_t langId) {
  switch (langId) {
    case 0x0804:
      return "ChineseSimp";
    case 0x0404:
    case 0x0C04:
      return "ChineseTrad";
    case 0x0411:
      return "Japanese";
    default:
      return "English";
  }
}

std::string ChooseLanguage() {
  std::string language = settings::ReadIniValue("OPTIONS", "Language", "", "");
  if (addin::TrimBlanks(language).empty()) {
    language = LanguageForSystem(platform::Current().SystemDefaultLangID());
    settings::WriteIniValue("OPTIONS", "Language", language, "");
  }
  return language;
}

}  // namespace tabulara::catalogue
