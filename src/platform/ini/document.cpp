#include "platform/ini/document.h"

#include <algorithm>

#include "platform/ini/names.h"

namespace tabulara::platform::ini {

namespace {

template <typename Sections>
auto FindSection(Sections& sections, std::u16string_view name) {
  return std::find_if(sections.begin(), sections.end(),
                      [asked = Trim(name)](const Section& section) { return SameName(section.name, asked); });
}

template <typename Entries>
auto FindEntry(Entries& entries, std::u16string_view name) {
  return std::find_if(entries.begin(), entries.end(),
                      [asked = Trim(name)](const Entry& entry) { return SameName(entry.name, asked); });
}

}  // namespace

const std::u16string* FindValue(const Document& document, std::u16string_view section, std::u16string_view key) {
  const auto found = FindSection(document.sections, section);
  if (found == document.sections.end()) return nullptr;
  const auto entry = FindEntry(found->entries, key);
  if (entry == found->entries.end() || !entry->value) return nullptr;
  return &*entry->value;
}

Entry& FindOrAddEntry(Document& document, std::u16string_view section, std::u16string_view key) {
  auto found = FindSection(document.sections, section);
  if (found == document.sections.end()) {
    found = document.sections.insert(found, Section{std::u16string(TrimLeading(section)), {}});
  }
  auto& entries = found->entries;
  auto entry = FindEntry(entries, key);
  if (entry == entries.end()) entry = entries.insert(entry, Entry{std::u16string(TrimLeading(key)), std::nullopt});
  return *entry;
}

}  // namespace tabulara::platform::ini
