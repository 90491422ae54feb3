#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulara::xlsx {

// A shared-strings part of plain items only, as spreadsheet programs write
// most of them: an optional XML declaration, the <sst> start tag, items
// <si><t>text</t></si> (the <t> may say xml:space="preserve") and </sst>.
// Read by a scan, without a document tree; kept as it is and written again
// with only its counts changed and new items added before its end.
struct PlainStrings {
  // Where the value of the root's count and uniqueCount attributes stand in
  // the part, when it has them.
  struct Value {
    std::size_t begin = 0;
    std::size_t end = 0;
  };
  std::optional<Value> count;
  std::optional<Value> uniqueCount;
  // Just before the '>' of the root's start tag.
  std::size_t rootTagEnd = 0;
  // Where "</sst>" starts.
  std::size_t itemsEnd = 0;
  // The text of each <t> as it stands in the part, and whether it holds an
  // entity to replace.
  struct Text {
    std::string_view raw;
    bool escaped = false;
  };
  std::vector<Text> texts;
};

// The plain items of `part`; none when it is anything else (rich text,
// phonetic runs, comments, prefixes, other entities, carriage returns, a
// declared encoding other than UTF-8...), which a full parse then reads.
std::optional<PlainStrings> ScanPlainStrings(std::string_view part);

// The text pugixml reads from a raw <t> text: the five named entities
// replaced.
std::string UnescapeText(std::string_view raw);

}  // namespace tabulara::xlsx
