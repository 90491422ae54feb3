#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/mult_language.h"
#include "host/variant.h"

namespace tabulara::addin {

class ExcelEvents;

// How many menu items the visibility text can address.
inline constexpr std::size_t kItemCaptionCount = 31;

// The state of one load of the add-in.
extern std::shared_ptr<catalogue::MultLanguage> gLanguage;
extern std::shared_ptr<ExcelEvents> gExcelEvents;
extern std::string gAppTitle;
extern std::string gAppError;
extern std::array<std::string, kItemCaptionCount> gItemCaptions;

// The catalogue text of `key`; raises error 91 while gLanguage holds no
// catalogue.
std::string Message(const std::string& key, const std::vector<host::Variant>& values = {});

}  // namespace tabulara::addin
