#pragma once

#include <cstdint>
#include <string>

namespace tabulara::catalogue {

// The language file name for a system language identifier: the whole
// 16-bit value decides, not only its primary language.
std::string LanguageForSystem(std::uint16_t langId);

// The language of this load: the "Language" of Config.ini, or, when that is
// blank, the system's language, which is then written to Config.ini.
std::string ChooseLanguage();

}  // namespace tabulara::catalogue
