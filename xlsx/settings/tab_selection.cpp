#include "xlsx/settings/tab_selection.h"

#include <cstddef>

namespace tabulara::xlsx {
namespace {

constexpr std::string_view kAttribute = "tabSelected";

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

// The first sheet view's start tag, from '<' to its '>'.
struct ViewTag {
  enum { Found, Missing, Unknown } state = Missing;
  std::size_t begin = 0;
  std::size_t end = 0;
};

ViewTag FindViewTag(std::string_view text, bool whole) {
  const std::size_t data = StartTag(text, "sheetData");
  const std::size_t view = StartTag(text.substr(0, data), "sheetView");
  if (view == std::string_view::npos) return {data == std::string_view::npos && !whole ? ViewTag::Unknown : ViewTag::Missing};
  const std::size_t close = text.find('>', view);
  if (close == std::string_view::npos) return {ViewTag::Unknown};
  return {ViewTag::Found, view, close};
}

// The tabSelected attribute in a start tag: from the blank before its name
// to the character after its closing quote, and the first character of its
// value.
struct Attribute {
  std::size_t begin;
  std::size_t end;
  char value;
};

std::optional<Attribute> FindTabSelected(std::string_view tag) {
  for (std::size_t at = tag.find(kAttribute); at != std::string_view::npos; at = tag.find(kAttribute, at + 1)) {
    if (!IsSpace(tag[at - 1])) continue;
    std::size_t next = at + kAttribute.size();
    while (next < tag.size() && IsSpace(tag[next])) ++next;
    if (next >= tag.size() || tag[next] != '=') continue;
    ++next;
    while (next < tag.size() && IsSpace(tag[next])) ++next;
    if (next + 1 >= tag.size() || (tag[next] != '"' && tag[next] != '\'')) continue;
    const std::size_t close = tag.find(tag[next], next + 1);
    if (close == std::string_view::npos) continue;
    return Attribute{at - 1, close + 1, tag[next + 1]};
  }
  return std::nullopt;
}

bool IsOn(char value) { return value == '1' || value == 't'; }

}  // namespace

std::optional<bool> TabSelectedIn(std::string_view prefix, bool whole) {
  const ViewTag view = FindViewTag(prefix, whole);
  if (view.state == ViewTag::Unknown) return std::nullopt;
  if (view.state == ViewTag::Missing) return false;
  const auto attribute = FindTabSelected(prefix.substr(view.begin, view.end - view.begin));
  return attribute && IsOn(attribute->value);
}

std::optional<std::string> WithTabSelected(std::string_view part, bool selected) {
  const ViewTag view = FindViewTag(part, true);
  if (view.state != ViewTag::Found) return std::nullopt;
  std::string edited(part);
  const auto attribute = FindTabSelected(part.substr(view.begin, view.end - view.begin));
  if (attribute && IsOn(attribute->value) == selected) return edited;
  std::size_t end = view.end;
  if (attribute) {
    edited.erase(view.begin + attribute->begin, attribute->end - attribute->begin);
    end -= attribute->end - attribute->begin;
  }
  if (selected) edited.insert(edited[end - 1] == '/' ? end - 1 : end, " tabSelected=\"1\"");
  return edited;
}

}  // namespace tabulara::xlsx
