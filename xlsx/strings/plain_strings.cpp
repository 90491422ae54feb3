#include "xlsx/strings/plain_strings.h"

#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

constexpr std::string_view kEntities[][2] = {
    {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}};

// The entity at the start of `text`, and what it stands for.
const std::string_view* EntityAt(std::string_view text) {
  for (const auto& entity : kEntities) {
    if (text.starts_with(entity[0])) return entity;
  }
  return nullptr;
}

class Scanner {
 public:
  explicit Scanner(std::string_view part) : part_(part) {}

  std::optional<PlainStrings> Scan() {
    PlainStrings strings;
    if (!SkipDeclaration() || !Take("<sst") || !RootAttributes(strings)) return std::nullopt;
    for (;;) {
      if (Take("</sst>")) break;
      if (!Item(strings)) return std::nullopt;
    }
    strings.itemsEnd = at_ - 6;
    while (at_ < part_.size() && IsBlank(part_[at_])) ++at_;
    if (at_ != part_.size()) return std::nullopt;
    return strings;
  }

 private:
  bool Take(std::string_view literal) {
    if (!part_.substr(at_).starts_with(literal)) return false;
    at_ += literal.size();
    return true;
  }

  // The XML declaration, if there is one, and the blanks after it.
  bool SkipDeclaration() {
    if (Take("<?xml")) {
      const std::size_t end = part_.find("?>", at_);
      if (end == std::string_view::npos) return false;
      at_ = end + 2;
    }
    while (at_ < part_.size() && IsBlank(part_[at_])) ++at_;
    return true;
  }

  // The root's attributes up to its '>', noting count and uniqueCount.
  bool RootAttributes(PlainStrings& strings) {
    if (at_ >= part_.size() || (!IsBlank(part_[at_]) && part_[at_] != '>')) return false;
    for (;;) {
      while (at_ < part_.size() && IsBlank(part_[at_])) ++at_;
      if (at_ >= part_.size()) return false;
      if (part_[at_] == '>') {
        strings.rootTagEnd = at_++;
        return true;
      }
      const std::size_t nameBegin = at_;
      while (at_ < part_.size() && !IsBlank(part_[at_]) && part_[at_] != '=' && part_[at_] != '>' &&
             part_[at_] != '/' && part_[at_] != '<') {
        ++at_;
      }
      const std::string_view name = part_.substr(nameBegin, at_ - nameBegin);
      if (name.empty() || !Take("=") || at_ >= part_.size()) return false;
      const char quote = part_[at_];
      if (quote != '"' && quote != '\'') return false;
      const std::size_t valueBegin = ++at_;
      const std::size_t valueEnd = part_.find(quote, at_);
      if (valueEnd == std::string_view::npos) return false;
      const std::string_view value = part_.substr(valueBegin, valueEnd - valueBegin);
      if (value.find_first_of("<&") != std::string_view::npos) return false;
      if (name == "count") strings.count = PlainStrings::Value{valueBegin, valueEnd};
      if (name == "uniqueCount") strings.uniqueCount = PlainStrings::Value{valueBegin, valueEnd};
      at_ = valueEnd + 1;
      if (at_ < part_.size() && !IsBlank(part_[at_]) && part_[at_] != '>') return false;
    }
  }

  // <si><t>text</t></si>, the <t> perhaps with xml:space="preserve".
  bool Item(PlainStrings& strings) {
    if (!Take("<si><t") || !(Take(">") || Take(" xml:space=\"preserve\">"))) return false;
    const std::size_t begin = at_;
    bool escaped = false;
    for (; at_ < part_.size() && part_[at_] != '<'; ++at_) {
      const char c = part_[at_];
      if (c == '\r' || c == '\0') return false;
      if (c == '&') {
        if (EntityAt(part_.substr(at_)) == nullptr) return false;
        escaped = true;
      }
    }
    strings.texts.push_back({part_.substr(begin, at_ - begin), escaped});
    return Take("</t></si>");
  }

  std::string_view part_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<PlainStrings> ScanPlainStrings(std::string_view part) {
  if (!IsUtf8Xml(part)) return std::nullopt;
  return Scanner(part).Scan();
}

std::string UnescapeText(std::string_view raw) {
  std::string text;
  text.reserve(raw.size());
  for (std::size_t at = 0; at < raw.size();) {
    const std::string_view* entity = raw[at] == '&' ? EntityAt(raw.substr(at)) : nullptr;
    if (entity == nullptr) {
      text += raw[at++];
      continue;
    }
    text += entity[1];
    at += entity[0].size();
  }
  return text;
}

}  // namespace tabulara::xlsx
