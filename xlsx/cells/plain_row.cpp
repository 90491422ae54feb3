#include "xlsx/cells/plain_row.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

namespace tabulara::xlsx {
namespace {

// What a character may be in a plain row.
enum CharClass : unsigned char {
  kBlank = 1,
  // Not in a plain attribute value: controls (the parser turns blanks into
  // spaces), markup, entities, a quote that printing would escape; what
  // pugixml escapes in a value is thus never in one.
  kNotInValue = 2,
  // Not in a plain text: entities, the carriage return that the parser
  // turns into a line feed, the NUL that ends its text.
  kNotInText = 4,
  // Printed escaped in a text.
  kEscapedInText = 8,
  // Begins a plain attribute name; goes on with one (ASCII names only).
  kNameStart = 16,
  kNameChar = 32,
};

constexpr std::array<unsigned char, 256> MakeCharClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 0x20; ++c) {
    classes[c] |= kNotInValue | kEscapedInText;
  }
  for (const char c : {' ', '\t', '\n'}) classes[static_cast<unsigned char>(c)] |= kBlank;
  classes['\t'] &= static_cast<unsigned char>(~kEscapedInText);
  classes['\n'] &= static_cast<unsigned char>(~kEscapedInText);
  classes['\r'] &= static_cast<unsigned char>(~kEscapedInText);
  classes['\r'] |= kNotInText;
  classes['\0'] |= kNotInText;
  for (const char c : {'<', '"', '&'}) classes[static_cast<unsigned char>(c)] |= kNotInValue;
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
    const char* const begin = at_;
    bool empty = false;
    bool asPrinted = true;
    if (!StartTag("row", row.attributes, empty, asPrinted)) return false;
    const std::string_view tag(begin, static_cast<std::size_t>(at_ - begin));
    // The cells of the row parsed before are reused: a new one costs
    // clearing all its attribute slots.
    std::size_t count = 0;
    if (!empty) {
      // A cell comes next unless the row ends.
      while (!(end_ - at_ >= 2 && at_[1] == '/' && Take("</row>"))) {
        PlainCell& cell = count < row.cells.size() ? row.cells[count] : row.cells.emplace_back();
        ++count;
        cell.Reset();
        if (!Cell(cell)) return false;
      }
      row.printedEnd = std::string_view(at_ - 6, 6);
    }
    row.cells.erase(row.cells.begin() + static_cast<std::ptrdiff_t>(count), row.cells.end());
    // "<row></row>" prints as "<row/>".
    row.printedTag = asPrinted && (empty || count > 0) ? tag : std::string_view();
    return at_ == end_;
  }

 private:
  bool Cell(PlainCell& cell) {
    const char* const begin = at_;
    bool empty = false;
    bool tagAsPrinted = true;
    if (!StartTag("c", cell.attributes, empty, tagAsPrinted)) return false;
    const char* const tagEnd = at_;
    bool restAsPrinted = true;
    if (!empty && !Children(cell, restAsPrinted)) return false;
    // "<c></c>" prints as "<c/>".
    if (!empty && !cell.hasFormula && cell.content == PlainCell::Content::None) tagAsPrinted = restAsPrinted = false;
    if (tagAsPrinted) cell.printedTag = std::string_view(begin, static_cast<std::size_t>(tagEnd - begin));
    if (restAsPrinted) cell.printedRest = std::string_view(tagEnd, static_cast<std::size_t>(at_ - tagEnd));
    return true;
  }

  // What follows the start tag of a cell, with its end tag.
  bool Children(PlainCell& cell, bool& asPrinted) {
    bool empty = false;
    if (Take("</c>")) return true;
    if (AtStartTag("f")) {
      cell.hasFormula = true;
      if (!StartTag("f", cell.formulaAttributes, empty, asPrinted)) return false;
      if (!empty && !Text("</f>", cell.formula, asPrinted)) return false;
      if (Take("</c>")) return true;
    }
    if (Take("<v>")) {
      cell.content = PlainCell::Content::Value;
      if (!Text("</v>", cell.text, asPrinted)) return false;
    } else if (Take("<v/>")) {
      cell.content = PlainCell::Content::Value;
    } else {
      cell.content = PlainCell::Content::InlineText;
      if (!Take("<is>") || !StartTag("t", cell.textAttributes, empty, asPrinted)) return false;
      if (!empty && !Text("</t>", cell.text, asPrinted)) return false;
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

  // "<name attributes>" or "<name attributes/>". pugixml prints one blank
  // before each attribute, none elsewhere, and double quotes.
  bool StartTag(std::string_view name, PlainAttributes& attributes, bool& empty, bool& asPrinted) {
    if (!Take('<') || !Take(name)) return false;
    for (;;) {
      const char* const blanks = at_;
      while (at_ < end_ && Is(*at_, kBlank)) ++at_;
      if (at_ == end_) return false;
      if (*at_ == '>') {
        ++at_;
        empty = false;
        asPrinted = asPrinted && at_ == blanks + 1;
        attributes.MarkParsed();
        return true;
      }
      if (*at_ == '/' && end_ - at_ >= 2 && at_[1] == '>') {
        at_ += 2;
        empty = true;
        asPrinted = asPrinted && at_ == blanks + 2;
        attributes.MarkParsed();
        return true;
      }
      if (at_ == blanks) return false;
      asPrinted = asPrinted && at_ == blanks + 1 && *blanks == ' ';
      if (!Attribute(attributes, asPrinted)) return false;
    }
  }

  bool Attribute(PlainAttributes& attributes, bool& asPrinted) {
    const char* const name = at_;
    if (at_ == end_ || !Is(*at_, kNameStart)) return false;
    while (at_ < end_ && Is(*at_, kNameChar)) ++at_;
    const std::string_view attributeName(name, static_cast<std::size_t>(at_ - name));
    if (at_ < end_ && *at_ == '=') {
      ++at_;
    } else {
      asPrinted = false;
      while (at_ < end_ && Is(*at_, kBlank)) ++at_;
      if (!Take('=')) return false;
    }
    if (at_ < end_ && Is(*at_, kBlank)) {
      asPrinted = false;
      while (at_ < end_ && Is(*at_, kBlank)) ++at_;
    }
    if (at_ == end_ || (*at_ != '"' && *at_ != '\'')) return false;
    const char quote = *at_++;
    asPrinted = asPrinted && quote == '"';
    const char* const value = at_;
    unsigned char seen = 0;
    while (at_ < end_ && *at_ != quote) seen |= kCharClasses[static_cast<unsigned char>(*at_++)];
    if (at_ == end_ || (seen & kNotInValue) != 0) return false;
    const std::string_view attributeValue(value, static_cast<std::size_t>(at_ - value));
    ++at_;
    return attributes.Add(PlainAttribute{attributeName, attributeValue});
  }

  // The text up to `endTag`, which is taken too; none for an empty text,
  // which pugixml prints as an empty element.
  bool Text(std::string_view endTag, std::optional<std::string_view>& text, bool& asPrinted) {
    const char* const begin = at_;
    unsigned char seen = 0;
    while (at_ < end_ && *at_ != '<') seen |= kCharClasses[static_cast<unsigned char>(*at_++)];
    if ((seen & kNotInText) != 0) return false;
    if (at_ > begin) text = std::string_view(begin, static_cast<std::size_t>(at_ - begin));
    asPrinted = asPrinted && at_ > begin && (seen & kEscapedInText) == 0;
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

// Text escaped as pugixml escapes it.
void AppendEscaped(std::string_view text, std::string& out) {
  if (!AnyIs(text, kEscapedInText)) {
    out += text;
    return;
  }
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (!Is(c, kEscapedInText)) {
      out += c;
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else {
      out += "&#";
      out += static_cast<char>('0' + code / 10);
      out += static_cast<char>('0' + code % 10);
      out += ';';
    }
  }
}

// `open` ("<c", or nothing), ` name="value"` for each attribute, and
// `close`, put together on the stack and appended at once. Values in a plain
// row never need escaping: the parser takes none that would, and the writer
// sets numbers and names.
void AppendMarkup(std::string_view open, std::span<const PlainAttribute> attributes, std::string_view close,
                  std::string& out) {
  std::array<char, 256> buffer;
  std::size_t size = open.size() + close.size();
  for (const PlainAttribute& attribute : attributes) size += attribute.name.size() + attribute.value.size() + 4;
  if (size > buffer.size()) {
    out += open;
    for (const PlainAttribute& attribute : attributes) {
      out += ' ';
      out += attribute.name;
      out += "=\"";
      out += attribute.value;
      out += '"';
    }
    out += close;
    return;
  }
  char* at = buffer.data();
  const auto put = [&at](std::string_view text) { at = std::copy(text.begin(), text.end(), at); };
  put(open);
  for (const PlainAttribute& attribute : attributes) {
    *at++ = ' ';
    put(attribute.name);
    *at++ = '=';
    *at++ = '"';
    put(attribute.value);
    *at++ = '"';
  }
  put(close);
  out.append(buffer.data(), size);
}

// `open` is "<" and the element's name.
void AppendTextElement(std::string_view open, const PlainAttributes& attributes,
                       const std::optional<std::string_view>& text, std::string& out) {
  // Mostly a value: no attributes, a short text, nothing to escape; put
  // together on the stack and appended at once.
  std::array<char, 64> buffer;
  const std::size_t size = text ? 2 * open.size() + text->size() + 3 : 0;
  if (attributes.empty() && size != 0 && size <= buffer.size() && !AnyIs(*text, kEscapedInText)) {
    char* at = std::copy(open.begin(), open.end(), buffer.data());
    *at++ = '>';
    at = std::copy(text->begin(), text->end(), at);
    *at++ = '<';
    *at++ = '/';
    at = std::copy(open.begin() + 1, open.end(), at);
    *at = '>';
    out.append(buffer.data(), size);
    return;
  }
  AppendMarkup(open, attributes, text ? ">" : "/>", out);
  if (!text) return;
  const std::string_view name = open.substr(1);
  AppendEscaped(*text, out);
  out += "</";
  out += name;
  out += '>';
}

// Source text copied to `out` as it stands, one append for each stretch
// that runs on in the source.
class SourceRun {
 public:
  explicit SourceRun(std::string& out) : out_(out) {}
  SourceRun(const SourceRun&) = delete;
  SourceRun& operator=(const SourceRun&) = delete;
  ~SourceRun() { Flush(); }

  void Copy(std::string_view source) {
    if (source.data() != end_) {
      Flush();
      begin_ = source.data();
    }
    end_ = source.data() + source.size();
  }

  // Called before anything else is appended.
  void Flush() {
    if (begin_ != end_) out_.append(begin_, static_cast<std::size_t>(end_ - begin_));
    begin_ = end_ = nullptr;
  }

 private:
  std::string& out_;
  const char* begin_ = nullptr;
  const char* end_ = nullptr;
};

// A start tag from the source where it prints as it stands there: each
// attribute that still views it is copied, name, value and the blank
// before; the others, and a changed end, are printed.
void PrintStartTag(std::string_view open, const PlainAttributes& attributes, std::string_view source,
                   std::string_view close, SourceRun& run, std::string& out) {
  if (source.empty()) {
    run.Flush();
    AppendMarkup(open, attributes, close, out);
    return;
  }
  const bool closedAsBefore = (close == "/>") == source.ends_with("/>");
  if (attributes.AsParsed() && closedAsBefore) {
    run.Copy(source);
    return;
  }
  const char* const sourceEnd = source.data() + source.size();
  run.Copy(source.substr(0, open.size()));
  for (const PlainAttribute& attribute : attributes) {
    const char* const from = attribute.name.data();
    const char* const to = attribute.value.data() + attribute.value.size() + 1;
    if (from > source.data() && to <= sourceEnd && attribute.value.data() == from + attribute.name.size() + 2) {
      run.Copy(std::string_view(from - 1, static_cast<std::size_t>(to - from + 1)));
    } else {
      run.Flush();
      AppendMarkup({}, std::span(&attribute, 1), {}, out);
    }
  }
  if (closedAsBefore) {
    run.Copy(source.substr(source.size() - close.size()));
  } else {
    run.Flush();
    out += close;
  }
}

// Names are short: compared here rather than by a call to memcmp.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t same = 0;
  while (same < a.size() && a[same] == b[same]) ++same;
  return same == a.size();
}

}  // namespace

std::optional<std::string_view> PlainAttributes::Find(std::string_view name) const {
  for (const PlainAttribute& attribute : *this) {
    if (SameName(attribute.name, name)) return attribute.value;
  }
  return std::nullopt;
}

bool PlainAttributes::Add(PlainAttribute attribute) {
  asParsed_ = false;
  if (count_ == kMost) return false;
  items_[count_++] = attribute;
  return true;
}

// Setting a value an attribute has already, or removing one that is not
// there, leaves the attributes as they were parsed.
bool PlainAttributes::Set(std::string_view name, std::string_view value) {
  for (std::size_t i = 0; i < count_; ++i) {
    if (!SameName(items_[i].name, name)) continue;
    if (items_[i].value != value) {
      items_[i].value = value;
      asParsed_ = false;
    }
    return true;
  }
  return Add(PlainAttribute{name, value});
}

bool PlainAttributes::SetLast(std::string_view name, std::string_view value) {
  if (count_ > 0 && SameName(items_[count_ - 1].name, name)) return Set(name, value);
  Remove(name);
  return Add(PlainAttribute{name, value});
}

void PlainAttributes::Remove(std::string_view name) {
  for (std::size_t i = 0; i < count_; ++i) {
    if (!SameName(items_[i].name, name)) continue;
    std::copy(items_.begin() + static_cast<std::ptrdiff_t>(i) + 1, items_.begin() + static_cast<std::ptrdiff_t>(count_),
              items_.begin() + static_cast<std::ptrdiff_t>(i));
    --count_;
    asParsed_ = false;
    return;
  }
}

void PlainCell::Reset() {
  attributes.clear();
  printedTag = {};
  printedRest.reset();
  contentEdited = false;
  hasFormula = false;
  formulaAttributes.clear();
  formula.reset();
  content = Content::None;
  textAttributes.clear();
  text.reset();
  reference.reset();
  number.reset();
}

void NoteCellReferences(PlainRow& row) {
  for (PlainCell& cell : row.cells) {
    if (const auto r = cell.attributes.Find("r")) cell.reference = ParseWrittenReference(*r);
  }
}

bool ParsePlainRow(std::string_view text, PlainRow& row) {
  row.attributes.clear();
  row.printedTag = {};
  row.printedEnd = {};
  row.kept.clear();
  return PlainRowParser(text).Row(row);
}

void PrintPlainRow(const PlainRow& row, std::string& out) {
  SourceRun run(out);
  PrintStartTag("<row", row.attributes, row.printedTag, row.cells.empty() ? "/>" : ">", run, out);
  if (row.cells.empty()) return;
  for (const PlainCell& cell : row.cells) {
    const bool hasChildren = cell.hasFormula || cell.content != PlainCell::Content::None;
    PrintStartTag("<c", cell.attributes, cell.printedTag, hasChildren ? ">" : "/>", run, out);
    if (cell.printedRest && !cell.contentEdited) {
      run.Copy(*cell.printedRest);
      continue;
    }
    if (!hasChildren) continue;
    run.Flush();
    if (cell.hasFormula) AppendTextElement("<f", cell.formulaAttributes, cell.formula, out);
    switch (cell.content) {
      case PlainCell::Content::None:
        break;
      case PlainCell::Content::Value:
        AppendTextElement("<v", {}, cell.text, out);
        break;
      case PlainCell::Content::InlineText:
        out += "<is>";
        AppendTextElement("<t", cell.textAttributes, cell.text, out);
        out += "</is>";
        break;
    }
    out += "</c>";
  }
  if (!row.printedEnd.empty()) {
    run.Copy(row.printedEnd);
  } else {
    run.Flush();
    out += "</row>";
  }
}

}  // namespace tabulara::xlsx
