#include "language_file_faults.h"

#include <algorithm>
#include <set>
#include <utility>

#include "catalogue/catalogue_table.h"
#include "platform/ini/code_page.h"
#include "platform/ini/document.h"
#include "platform/ini/names.h"
#include "platform/ini/parse.h"

namespace tabulara::tools {
namespace {

using catalogue::CatalogueEntry;
namespace ini = platform::ini;

std::u16string Wide(std::string_view text) { return ini::AnsiToWide(text); }

std::string Named(const CatalogueEntry& entry) {
  return std::string(entry.key) + " [" + std::string(entry.section) + "] " + std::string(entry.entry);
}

std::size_t Placeholders(std::string_view text) {
  std::size_t count = 0;
  for (auto at = text.find("s%"); at != std::string_view::npos; at = text.find("s%", at + 2)) ++count;
  return count;
}

bool InCatalogue(std::u16string_view section, std::u16string_view name) {
  const auto table = catalogue::CatalogueTable();
  return std::any_of(table.begin(), table.end(), [&](const CatalogueEntry& entry) {
    return ini::SameName(Wide(entry.section), section) && ini::SameName(Wide(entry.entry), name);
  });
}

void AddUnknownEntries(const ini::Document& document, std::vector<std::string>& faults) {
  for (auto section = std::next(document.sections.begin()); section != document.sections.end(); ++section) {
    for (const ini::Entry& entry : section->entries) {
      if (entry.value && !InCatalogue(section->name, entry.name)) {
        faults.push_back("[" + ini::WideToAnsi(section->name) + "] " + ini::WideToAnsi(entry.name) +
                         ": no such entry in the catalogue");
      }
    }
  }
}

void AddTextFaults(const CatalogueEntry& entry, std::u16string_view text, const CodePageConverter& codePage,
                   std::vector<std::string>& faults) {
  const std::string utf8 = ini::WideToAnsi(text);
  if (Placeholders(utf8) != Placeholders(entry.defaultText)) {
    faults.push_back(Named(entry) + ": its s% placeholders differ from the English text's");
  }
  if (utf8.size() > kMaxEntryBytes) {
    faults.push_back(Named(entry) + ": " + std::to_string(utf8.size()) + " bytes in UTF-8, more than " +
                     std::to_string(kMaxEntryBytes));
  }
  const std::string page = "code page " + std::to_string(codePage.CodePage());
  const auto encoded = codePage.FromWide(text);
  if (!encoded) {
    faults.push_back(Named(entry) + ": a character has no form in " + page);
  } else if (encoded->size() > kMaxEntryBytes) {
    faults.push_back(Named(entry) + ": " + std::to_string(encoded->size()) + " bytes in " + page + ", more than " +
                     std::to_string(kMaxEntryBytes));
  }
}

}  // namespace

std::vector<std::string> LanguageFileFaults(std::string_view utf8Bytes, const CodePageConverter& codePage) {
  const ini::Document document = ini::Parse(utf8Bytes);
  std::vector<std::string> faults;
  AddUnknownEntries(document, faults);
  std::set<std::pair<std::string_view, std::string_view>> checked;
  for (const CatalogueEntry& entry : catalogue::CatalogueTable()) {
    if (!checked.emplace(entry.section, entry.entry).second) continue;
    const std::u16string* text = ini::FindValue(document, Wide(entry.section), Wide(entry.entry));
    if (text == nullptr) {
      faults.push_back(Named(entry) + ": missing");
    } else {
      AddTextFaults(entry, ini::Trim(*text), codePage, faults);
    }
  }
  return faults;
}

}  // namespace tabulara::tools
