#include "catalogue/mult_language.h"

#include "catalogue/catalogue_table.h"
#include "host/conversions.h"
#include "settings/ini_value.h"
#include "settings/install_path.h"

namespace tabulara::catalogue {
namespace {

constexpr std::string_view kPlaceholder = "s%";

}  // namespace

void MultLanguage::Language(const std::string& pLanguage) {
  language_ = pLanguage;
  languageFile_ = settings::InstallPath(pLanguage + ".lang");
}

std::string MultLanguage::FindMessage(const std::string& NO, const std::vector<host::Variant>& param) const {
  for (const CatalogueEntry& entry : CatalogueTable()) {
    if (entry.key != NO) continue;
    return ReadMessage(std::string(entry.section), std::string(entry.entry), std::string(entry.defaultText),
                       entry.takesValues ? param : std::vector<host::Variant>{});
  }
  return "";
}

std::string MultLanguage::ReadMessage(const std::string& section, const std::string& entry,
                                      const std::string& defaultText, const std::vector<host::Variant>& values) const {
  std::string text = settings::ReadIniValue(section, entry, defaultText, languageFile_);
  if (text.find(kPlaceholder) == std::string::npos || values.empty()) return text;
  for (const host::Variant& value : values) {
    auto at = text.find(kPlaceholder);
    if (at == std::string::npos) break;
    text.replace(at, kPlaceholder.size(), host::ToText(value));
  }
  return text;
}

}  // namespace tabulara::catalogue
