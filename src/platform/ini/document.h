#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulara::platform::ini {

// How a profile file is stored: without a byte order mark in the ANSI code
// page (UTF-8 here), or with one in UTF-8 or UTF-16.
enum class Encoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

// A line of a section: a key with its value, or a line without an equals
// sign (a comment, for one), which has a name and no value.
struct Entry {
  std::u16string name;
  std::optional<std::u16string> value;
};

struct Section {
  std::u16string name;
  std::vector<Entry> entries;
};

// A profile file as the profile functions hold it. The first section has no
// name: it holds the lines before the first section header.
struct Document {
  Encoding encoding = Encoding::Ansi;
  std::vector<Section> sections{Section{}};
};

// The value of a key as the reads find it: in the first section of that name
// (blanks around the asked names do not count), the first key of that name;
// none when there is no such key or it has no value.
const std::u16string* FindValue(const Document& document, std::u16string_view section, std::u16string_view key);

// The key as the writes find it, added when missing: a missing section goes
// to the end of the file, a missing key to the end of its section, both named
// as asked less their leading blanks.
Entry& FindOrAddEntry(Document& document, std::u16string_view section, std::u16string_view key);

}  // namespace tabulara::platform::ini
