#pragma once

#include <array>
#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx/cells/cell_reference.h"

namespace tabulara::xlsx {

// Most rows a host writes are plain: unprefixed <row>, <c>, <f>, <v>,
// <is><t> elements, no entities, comments or other markup. Such a row is read
// and rewritten here without a DOM, printed byte for byte as pugixml prints
// the same row; any other row is left to the DOM. What was not edited and
// stands in the source as pugixml prints it is copied from the source.

// Names and values view the row's text, a literal, or a text the row keeps.
struct PlainAttribute {
  std::string_view name;
  std::string_view value;
};

class PlainAttributes {
 public:
  // More attributes than this and an element is not plain.
  static constexpr std::size_t kMost = 8;

  const PlainAttribute* begin() const { return items_.data(); }
  const PlainAttribute* end() const { return items_.data() + count_; }
  bool empty() const { return count_ == 0; }
  std::size_t size() const { return count_; }
  void clear() {
    count_ = 0;
    asParsed_ = false;
  }
  // Since the parser took them all, nothing has added, set or removed one.
  bool AsParsed() const { return asParsed_; }
  void MarkParsed() { asParsed_ = true; }

  std::optional<std::string_view> Find(std::string_view name) const;
  std::string_view Value(std::string_view name) const { return Find(name).value_or(std::string_view()); }
  // Adds an attribute last; false when there is no room.
  bool Add(PlainAttribute attribute);
  // Changes the value in place, or adds the attribute last.
  bool Set(std::string_view name, std::string_view value);
  // Makes the attribute the last one, with `value`, as removing and adding
  // it would; false when there is no room.
  bool SetLast(std::string_view name, std::string_view value);
  void Remove(std::string_view name);

 private:
  std::array<PlainAttribute, kMost> items_{};
  std::size_t count_ = 0;
  bool asParsed_ = false;
};

struct PlainCell {
  enum class Content { None, Value, InlineText };
  PlainAttributes attributes;
  // The cell's <f>, its first child when it has one.
  bool hasFormula = false;
  PlainAttributes formulaAttributes;
  std::optional<std::string_view> formula;
  Content content = Content::None;
  // The attributes of the <t> of an inline text.
  PlainAttributes textAttributes;
  // The text of <v> or <t>; none when the element has no text node.
  std::optional<std::string_view> text;

  // The source of the start tag, empty, and of the rest of the element,
  // none, where pugixml prints them otherwise. Attributes that still view
  // the tag's source are copied from it.
  std::string_view printedTag;
  std::optional<std::string_view> printedRest;
  // Set by whoever edits the formula or the content.
  bool contentEdited = false;

  // Worked out beside the parse (PlainRowsAhead's preparation): what the
  // first r and the text read as.
  std::optional<WrittenReference> reference;
  std::optional<double> number;

  // As a cell just made.
  void Reset();
};

struct PlainRow {
  PlainAttributes attributes;
  // The source of the start tag where pugixml prints it so.
  std::string_view printedTag;
  std::vector<PlainCell> cells;
  // The source's "</row>"; empty for an empty element.
  std::string_view printedEnd;
  // Texts set on the row, which its attributes and cells view: a list, which
  // moves none of them and allocates nothing while empty.
  std::list<std::string> kept;

  std::string_view Keep(std::string text) { return kept.emplace_back(std::move(text)); }
};

// Reads `text` into `row` when it holds one plain row and nothing else; the
// row then views `text`.
bool ParsePlainRow(std::string_view text, PlainRow& row);

// Sets each cell's reference from its first r.
void NoteCellReferences(PlainRow& row);

// Appends the row as pugixml prints it.
void PrintPlainRow(const PlainRow& row, std::string& out);

}  // namespace tabulara::xlsx
