#include "xlsx/structure/sheet_reference_renaming.h"

#include <cctype>
#include <vector>

#include "embedded/rules/sheet_quoting.h"

namespace tabulara::xlsx::structure {
namespace {

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return folded;
}

bool IsNameCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return std::isalnum(byte) || c == '_' || c == '.' || c == '\\' || byte >= 0x80;
}

std::vector<std::string_view> SplitAtColon(std::string_view names) {
  const auto colon = names.find(':');
  if (colon == std::string_view::npos) return {names};
  return {names.substr(0, colon), names.substr(colon + 1)};
}

// The sheet prefix for `names` (one sheet or "First:Last"), renamed.
std::string Prefix(const std::vector<std::string>& names) {
  std::string joined;
  bool quote = false;
  for (const std::string& name : names) {
    joined += (joined.empty() ? "" : ":") + name;
    quote = quote || embedded::SheetNameNeedsQuotes(name);
  }
  if (!quote) return joined + "!";
  std::string quoted = "'";
  for (const char c : joined) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'!";
}

// Renames the sheets of a prefix; false when none of them was renamed.
bool Rename(const std::vector<std::string_view>& names, const SheetRenames& renames, std::string& prefix) {
  std::vector<std::string> renamed;
  bool any = false;
  for (const std::string_view name : names) {
    const std::string* newName = renames.NewNameOf(name);
    any = any || newName != nullptr;
    renamed.push_back(newName ? *newName : std::string(name));
  }
  if (any) prefix = Prefix(renamed);
  return any;
}

}  // namespace

void SheetRenames::Add(std::string_view oldName, std::string newName) {
  renames_[Folded(oldName)] = std::move(newName);
}

const std::string* SheetRenames::NewNameOf(std::string_view name) const {
  const auto found = renames_.find(Folded(name));
  return found == renames_.end() ? nullptr : &found->second;
}

std::string RenameSheetReferences(std::string_view text, const SheetRenames& renames) {
  std::string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      auto end = i + 1;
      while (end < text.size() && !(text[end] == '"' && (end + 1 >= text.size() || text[end + 1] != '"'))) {
        end += text[end] == '"' ? 2 : 1;
      }
      end = std::min(end + 1, text.size());
      result += text.substr(i, end - i);
      i = end;
    } else if (c == '[') {
      std::size_t depth = 0;
      auto end = i;
      do {
        if (text[end] == '[') ++depth;
        if (text[end] == ']') --depth;
        ++end;
      } while (end < text.size() && depth > 0);
      result += text.substr(i, end - i);
      i = end;
      // The sheet of an external reference belongs to another workbook.
      while (i < text.size() && IsNameCharacter(text[i])) result += text[i++];
    } else if (c == '\'') {
      std::string names;
      auto end = i + 1;
      while (end < text.size()) {
        if (text[end] == '\'') {
          if (end + 1 < text.size() && text[end + 1] == '\'') {
            names += '\'';
            end += 2;
            continue;
          }
          break;
        }
        names += text[end++];
      }
      const bool reference = end + 1 < text.size() && text[end + 1] == '!' && !names.starts_with('[');
      std::string prefix;
      if (reference && Rename(SplitAtColon(names), renames, prefix)) {
        result += prefix;
        i = end + 2;
      } else {
        end = std::min(end + 1, text.size());
        result += text.substr(i, end - i);
        i = end;
      }
    } else if (IsNameCharacter(c)) {
      auto end = i;
      while (end < text.size() && IsNameCharacter(text[end])) ++end;
      if (end < text.size() && text[end] == ':') {
        auto last = end + 1;
        while (last < text.size() && IsNameCharacter(text[last])) ++last;
        if (last > end + 1 && last < text.size() && text[last] == '!') end = last;
      }
      const std::string_view names = text.substr(i, end - i);
      std::string prefix;
      if (end < text.size() && text[end] == '!' && Rename(SplitAtColon(names), renames, prefix)) {
        result += prefix;
        i = end + 1;
      } else {
        result += names;
        i = end;
      }
    } else {
      result += c;
      ++i;
    }
  }
  return result;
}

}  // namespace tabulara::xlsx::structure
