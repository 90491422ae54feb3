#pragma once

#include <span>
#include <string_view>

namespace tabulara::catalogue {

// One text of the catalogue: where a language file keeps it and its
// built-in English default.
struct CatalogueEntry {
  std::string_view key;
  std::string_view section;
  std::string_view entry;
  std::string_view defaultText;
  // Whether callers' values fill its "s%" placeholders.
  bool takesValues;
};

// Every entry, in the order keys are compared.
std::span<const CatalogueEntry> CatalogueTable();

}  // namespace tabulara::catalogue
