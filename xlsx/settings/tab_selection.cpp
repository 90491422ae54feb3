#include "xlsx/settings/tab_selection.h"

#include <cstddef>

namespace tabulara::xlsx {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameEnd(char c) { return IsSpace(c) || c == '>' || c == '/'; }

// The position of the first start tag named `local`, with or without a
// prefix, or npos.
std::size_t StartTag(std::string_view text, std::string_view local) {
  for (std::size_t at = text.find(local); at != std::string_view::npos; at = text.find(local, at + 1)) {
    const std::size_t end = at + local.size();
    if (at == 0 || end >= text.size() || !IsNameEnd(text[end])) continue;
    std::size_t open = at;
    while (open > 0 && text[open - 1] != '<' && text[open - 1] != '/' && !IsSpace(text[open - 1]) &&
           text[open - 1] != '>') {
      --open;
    }
    if (open > 0 && text[open - 1] == '<' && (open == at || text[at - 1] == ':')) return open - 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<bool> TabSelectedIn(std::string_view prefix, bool whole) {
  const std::size_t data = StartTag(prefix, "sheetData");
  const std::size_t view = StartTag(prefix.substr(0, data), "sheetView");
  if (view == std::string_view::npos) {
    if (data == std::string_view::npos && !whole) return std::nullopt;
    return false;
  }
  const std::size_t close = prefix.find('>', view);
  if (close == std::string_view::npos) return std::nullopt;
  const std::string_view tag = prefix.substr(view, close - view);
  for (std::size_t at = tag.find("tabSelected"); at != std::string_view::npos; at = tag.find("tabSelected", at + 1)) {
    if (!IsSpace(tag[at - 1])) continue;
    std::size_t next = at + 11;
    while (next < tag.size() && IsSpace(tag[next])) ++next;
    if (next >= tag.size() || tag[next] != '=') continue;
    ++next;
    while (next < tag.size() && IsSpace(tag[next])) ++next;
    if (next + 1 >= tag.size() || (tag[next] != '"' && tag[next] != '\'')) continue;
    return tag[next + 1] == '1' || tag[next + 1] == 't';
  }
  return false;
}

}  // namespace tabulara::xlsx
