#include "xlsx/cells/plain_row.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tabulara::xlsx {
namespace {

// What a character may be in a plain row.
enum CharClass : unsigned char {
  kBlank = 1,
  // Not in a plain attribute value: controls (the parser turns blanks into
  // spaces), markup, entities, a quote that printing would escape.
  kNotInValue = 2,
  // Not in a plain text: entities, the carriage return that the parser
  // turns into a line feed, the NUL that ends its text.
  kNotInText = 4,
  // Printed escaped in a text.
  kEscapedInText = 8,
  // Printed escaped in an attribute value.
  kEscapedInValue = 16,
  // Begins a plain attribute name; goes on with one (ASCII names only).
  kNameStart = 32,
  kNameChar = 64,
};

constexpr std::array<unsigned char, 256> MakeCharClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 0x20; ++c) {
    classes[c] |= kNotInValue | kEscapedInValue | kEscapedInText;
  }
  for (const char c : {' ', '\t', '\n'}) classes[static_cast<unsigned char>(c)] |= kBlank;
  classes['\t'] &= static_cast<unsigned char>(~kEscapedInText);
  classes['\n'] &= static_cast<unsigned char>(~kEscapedInText);
  classes['\r'] &= static_cast<unsigned char>(~kEscapedInText);
  classes['\r'] |= kNotInText;
  classes['\0'] |= kNotInText;
  for (const char c : {'<', '"', '&'}) classes[static_cast<unsigned char>(c)] |= kNotInValue | kEscapedInValue;
  classes['&'] |= kNotInText | kEscapedInText;
  classes['<'] |= kEscapedInText;
  classes['>'] |= kEscapedInText;
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    if (letter) classes[c] |= kNameStart | kNameChar;
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') classes[c] |= kNameChar;
  }
  return classes;
}

constexpr std::array<unsigned char, 256> kCharClasses = MakeCharClasses();

bool Is(char c, CharClass kind) { return (kCharClasses[static_cast<unsigned char>(c)] & kind) != 0; }

bool AnyIs(std::string_view text, CharClass kind) {
  return std::any_of(text.begin(), text.end(), [kind](char c) { return Is(c, kind); });
}

// Reads the markup of one plain row; any step that meets something else
// (a comment, an entity, a carriage return that the parser would turn into
// a line feed) fails, and the row is then not plain.
class PlainRowParser {
 public:
  explicit PlainRowParser(std::string_view text) : at_(text.data()), end_(text.data() + text.size()) {}

  bool Row(PlainRow& row) {
    bool empty = false;
    if (!StartTag("row", row.attributes, empty)) return false;
    // The cells of the row parsed before are reused: a new one costs
    // clearing all its attribute slots.
    std::size_t count = 0;
    if (!empty) {
      while (!Take("</row>")) {
        PlainCell& cell = count < row.cells.size() ? row.cells[count] : row.cells.emplace_back();
        ++count;
        cell.Reset();
        if (!Cell(cell)) return false;
      }
    }
    row.cells.erase(row.cells.begin() + static_cast<std::ptrdiff_t>(count), row.cells.end());
    return at_ == end_;
  }

 private:
  bool Cell(PlainCell& cell) {
    bool empty = false;
    if (!StartTag("c", cell.attributes, empty)) return false;
    if (empty || Take("</c>")) return true;
    if (AtStartTag("f")) {
      cell.hasFormula = true;
      if (!StartTag("f", cell.formulaAttributes, empty)) return false;
      if (!empty && !Text("</f>", cell.formula)) return false;
      if (Take("</c>")) return true;
    }
    if (Take("<v>")) {
      cell.content = PlainCell::Content::Value;
      if (!Text("</v>", cell.text)) return false;
    } else if (Take("<v/>")) {
      cell.content = PlainCell::Content::Value;
    } else {
      cell.content = PlainCell::Content::InlineText;
      if (!Take("<is>") || !StartTag("t", cell.textAttributes, empty)) return false;
      if (!empty && !Text("</t>", cell.text)) return false;
      if (!Take("</is>")) return false;
    }
    return Take("</c>");
  }

  bool AtStartTag(std::string_view name) const {
    const auto left = static_cast<std::size_t>(end_ - at_);
    if (left < name.size() + 2 || at_[0] != '<' || std::memcmp(at_ + 1, name.data(), name.size()) != 0) return false;
    const char next = at_[name.size() + 1];
    return Is(next, kBlank) || next == '>' || next == '/';
  }

  // "<name attributes>" or "<name attributes/>".
  bool StartTag(std::string_view name, PlainAttributes& attributes, bool& empty) {
    if (!Take('<') || !Take(name)) return false;
    for (;;) {
      const char* const blanks = at_;
      while (at_ < end_ && Is(*at_, kBlank)) ++at_;
      if (at_ == end_) return false;
      if (*at_ == '>') {
        ++at_;
        empty = false;
        return true;
      }
      if (Take("/>")) {
        empty = true;
        return true;
      }
      if (at_ == blanks || !Attribute(attributes)) return false;
    }
  }

  bool Attribute(PlainAttributes& attributes) {
    const char* const name = at_;
    if (at_ == end_ || !Is(*at_, kNameStart)) return false;
    while (at_ < end_ && Is(*at_, kNameChar)) ++at_;
    const std::string_view attributeName(name, static_cast<std::size_t>(at_ - name));
    while (at_ < end_ && Is(*at_, kBlank)) ++at_;
    if (!Take('=')) return false;
    while (at_ < end_ && Is(*at_, kBlank)) ++at_;
    if (at_ == end_ || (*at_ != '"' && *at_ != '\'')) return false;
    const char quote = *at_++;
    const char* const value = at_;
    while (at_ < end_ && *at_ != quote) {
      if (Is(*at_, kNotInValue)) return false;
      ++at_;
    }
    if (at_ == end_) return false;
    const std::string_view attributeValue(value, static_cast<std::size_t>(at_ - value));
    ++at_;
    return attributes.Add(PlainAttribute{attributeName, attributeValue});
  }

  // The text up to `endTag`, which is taken too; none for an empty text.
  bool Text(std::string_view endTag, std::optional<std::string_view>& text) {
    const char* const begin = at_;
    while (at_ < end_ && *at_ != '<') {
      if (Is(*at_, kNotInText)) return false;
      ++at_;
    }
    if (at_ > begin) text = std::string_view(begin, static_cast<std::size_t>(at_ - begin));
    return Take(endTag);
  }

  bool Take(char expected) {
    if (at_ == end_ || *at_ != expected) return false;
    ++at_;
    return true;
  }

  bool Take(std::string_view expected) {
    if (static_cast<std::size_t>(end_ - at_) < expected.size() ||
        std::memcmp(at_, expected.data(), expected.size()) != 0) {
      return false;
    }
    at_ += expected.size();
    return true;
  }

  const char* at_;
  const char* end_;
};

// Text and attribute values escaped as pugixml escapes them.
void AppendEscaped(std::string_view text, bool attribute, std::string& out) {
  const CharClass escaped = attribute ? kEscapedInValue : kEscapedInText;
  if (!AnyIs(text, escaped)) {
    out += text;
    return;
  }
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (!Is(c, escaped)) {
      out += c;
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else {
      out += "&#";
      out += static_cast<char>('0' + code / 10);
      out += static_cast<char>('0' + code % 10);
      out += ';';
    }
  }
}

void AppendStartTag(std::string_view name, const PlainAttributes& attributes, std::string& out) {
  out += '<';
  out += name;
  for (const PlainAttribute& attribute : attributes) {
    out += ' ';
    out += attribute.name;
    out += "=\"";
    AppendEscaped(attribute.value, true, out);
    out += '"';
  }
}

void AppendTextElement(std::string_view name, const PlainAttributes& attributes,
                       const std::optional<std::string_view>& text, std::string& out) {
  AppendStartTag(name, attributes, out);
  if (!text) {
    out += "/>";
    return;
  }
  out += '>';
  AppendEscaped(*text, false, out);
  out += "</";
  out += name;
  out += '>';
}

}  // namespace

std::optional<std::string_view> PlainAttributes::Find(std::string_view name) const {
  for (const PlainAttribute& attribute : *this) {
    if (attribute.name == name) return attribute.value;
  }
  return std::nullopt;
}

bool PlainAttributes::Add(PlainAttribute attribute) {
  if (count_ == kMost) return false;
  items_[count_++] = attribute;
  return true;
}

bool PlainAttributes::Set(std::string_view name, std::string_view value) {
  for (std::size_t i = 0; i < count_; ++i) {
    if (items_[i].name == name) {
      items_[i].value = value;
      return true;
    }
  }
  return Add(PlainAttribute{name, value});
}

void PlainAttributes::Remove(std::string_view name) {
  for (std::size_t i = 0; i < count_; ++i) {
    if (items_[i].name != name) continue;
    std::copy(items_.begin() + static_cast<std::ptrdiff_t>(i) + 1, items_.begin() + static_cast<std::ptrdiff_t>(count_),
              items_.begin() + static_cast<std::ptrdiff_t>(i));
    --count_;
    return;
  }
}

void PlainCell::Reset() {
  attributes.clear();
  hasFormula = false;
  formulaAttributes.clear();
  formula.reset();
  content = Content::None;
  textAttributes.clear();
  text.reset();
}

bool ParsePlainRow(std::string_view text, PlainRow& row) {
  row.attributes.clear();
  row.kept.clear();
  return PlainRowParser(text).Row(row);
}

void PrintPlainRow(const PlainRow& row, std::string& out) {
  AppendStartTag("row", row.attributes, out);
  if (row.cells.empty()) {
    out += "/>";
    return;
  }
  out += '>';
  for (const PlainCell& cell : row.cells) {
    AppendStartTag("c", cell.attributes, out);
    if (!cell.hasFormula && cell.content == PlainCell::Content::None) {
      out += "/>";
      continue;
    }
    out += '>';
    if (cell.hasFormula) AppendTextElement("f", cell.formulaAttributes, cell.formula, out);
    switch (cell.content) {
      case PlainCell::Content::None:
        break;
      case PlainCell::Content::Value:
        AppendTextElement("v", {}, cell.text, out);
        break;
      case PlainCell::Content::InlineText:
        out += "<is>";
        AppendTextElement("t", cell.textAttributes, cell.text, out);
        out += "</is>";
        break;
    }
    out += "</c>";
  }
  out += "</row>";
}

}  // namespace tabulara::xlsx
