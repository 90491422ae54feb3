#include "xlsx/cells/sheet_data_text.h"

#include <array>
#include <cstring>
#include <future>
#include <optional>
#include <random>

#include "xlsx/cells/worksheet_children.h"
#include "xlsx/package/huge_pages.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

enum class MarkupKind { StartTag, EmptyTag, EndTag, Other };

struct Markup {
  MarkupKind kind = MarkupKind::Other;
  // The qualified name of a tag.
  std::string_view name;
  // Just past the closing '>'.
  std::size_t end = 0;
};

// Characters that end a tag's name, and those that matter in the rest of
// a tag.
constexpr std::array<bool, 256> MakeTable(std::string_view members) {
  std::array<bool, 256> table{};
  for (const char c : members) table[static_cast<unsigned char>(c)] = true;
  return table;
}
constexpr std::array<bool, 256> kEndsName = MakeTable(" \t\r\n/>");
constexpr std::array<bool, 256> kMattersInTag = MakeTable("\"'<>");

bool EndsName(char c) { return kEndsName[static_cast<unsigned char>(c)]; }

// The markup that starts with the '<' at `at`; none when it is cut off,
// malformed, or a document type declaration.
std::optional<Markup> ScanMarkup(std::string_view text, std::size_t at) {
  const char first = at + 1 < text.size() ? text[at + 1] : '\0';
  if (first == '!' || first == '?') {
    const std::string_view rest = text.substr(at);
    const auto skipTo = [&](std::string_view close, std::size_t from) -> std::optional<Markup> {
      const std::size_t found = text.find(close, at + from);
      if (found == kNone) return std::nullopt;
      return Markup{MarkupKind::Other, {}, found + close.size()};
    };
    if (rest.starts_with("<!--")) return skipTo("-->", 4);
    if (rest.starts_with("<![CDATA[")) return skipTo("]]>", 9);
    if (first == '?') return skipTo("?>", 2);
    return std::nullopt;
  }
  const bool endTag = first == '/';
  const char* const end = text.data() + text.size();
  const char* p = text.data() + at + (endTag ? 2 : 1);
  const char* const name = p;
  while (p < end && !EndsName(*p)) ++p;
  if (p == name) return std::nullopt;
  const std::string_view qualifiedName(name, static_cast<std::size_t>(p - name));
  for (;;) {
    while (p < end && !kMattersInTag[static_cast<unsigned char>(*p)]) ++p;
    if (p == end || *p == '>') break;
    if (*p == '<') return std::nullopt;
    // Values are short: a loop beats a call to memchr.
    const char quote = *p++;
    while (p < end && *p != quote) ++p;
    if (p == end) return std::nullopt;
    ++p;
  }
  if (p == end) return std::nullopt;
  const MarkupKind kind = endTag ? MarkupKind::EndTag : p[-1] == '/' ? MarkupKind::EmptyTag : MarkupKind::StartTag;
  return Markup{kind, qualifiedName, static_cast<std::size_t>(p - text.data()) + 1};
}

enum class SheetDataFound { Content, NoContent, Unreadable, Stopped };

// A scan of a worksheet part for the content of the first <sheetData> child
// of its document element and the pieces of that content, which it gives
// by their places in the part.
struct ContentScan {
  int depth = 0;
  std::size_t contentBegin = kNone;
  std::size_t contentEnd = 0;
  std::size_t pieceBegin = 0;
  std::size_t gapBegin = 0;
  // Where the scan goes on.
  std::size_t at = 0;
  std::vector<SheetDataPiece> pieces;

  // A scan that starts at the markup at `at`, taken to stand between two
  // elements of the content.
  static ContentScan InContent(std::size_t at) {
    ContentScan scan;
    scan.depth = 2;
    // Where the content starts is for the first scan to find.
    scan.contentBegin = 0;
    scan.gapBegin = scan.at = at;
    return scan;
  }

  // Scans on to the end of the content, or to the markup at `stop`.
  SheetDataFound Run(std::string_view text, std::size_t stop = kNone) {
    const auto endGap = [&](std::size_t where) {
      if (where > gapBegin) pieces.push_back({gapBegin, where, false});
    };
    // Markup is dense in a sheet: the next '<' is found by a loop rather
    // than by a call to memchr.
    for (;; ++at) {
      while (at < text.size() && text[at] != '<') ++at;
      if (at == text.size()) break;
      if (at == stop) return SheetDataFound::Stopped;
      const std::optional<Markup> markup = ScanMarkup(text, at);
      if (!markup) return SheetDataFound::Unreadable;
      const bool inContent = contentBegin != kNone && depth == 2;
      switch (markup->kind) {
        case MarkupKind::StartTag:
          if (depth == 1 && contentBegin == kNone && LocalName(markup->name) == "sheetData") {
            contentBegin = gapBegin = markup->end;
          } else if (inContent) {
            endGap(at);
            pieceBegin = at;
          }
          ++depth;
          break;
        case MarkupKind::EmptyTag:
          if (depth == 1 && contentBegin == kNone && LocalName(markup->name) == "sheetData") {
            return SheetDataFound::NoContent;
          }
          if (inContent) {
            endGap(at);
            pieces.push_back({at, markup->end, true});
            gapBegin = markup->end;
          }
          break;
        case MarkupKind::EndTag:
          if (--depth < 0) return SheetDataFound::Unreadable;
          if (contentBegin != kNone && depth == 2) {
            pieces.push_back({pieceBegin, markup->end, true});
            gapBegin = markup->end;
          } else if (contentBegin != kNone && depth == 1) {
            endGap(at);
            contentEnd = at;
            return SheetDataFound::Content;
          }
          break;
        case MarkupKind::Other:
          break;
      }
      at = markup->end - 1;
    }
    return contentBegin == kNone ? SheetDataFound::NoContent : SheetDataFound::Unreadable;
  }
};

// Finds the content of the first <sheetData> child of the document element
// and its pieces, placed from the content's start. A part of `twoThreadsFrom`
// bytes or more is scanned in two halves side by side: the second from the
// first "<row" past the middle, taken to stand between two elements of the
// content, which holds when the scan of the first half reaches it there (it
// may stand in a comment, a value, a row); otherwise the first scan goes on
// alone.
SheetDataFound FindSheetDataContent(std::string_view text, std::size_t& begin, std::size_t& end,
                                    std::vector<SheetDataPiece>& pieces, std::size_t twoThreadsFrom) {
  const std::size_t middle = text.size() >= twoThreadsFrom ? text.find("<row", text.size() / 2) : kNone;
  ContentScan second = ContentScan::InContent(middle);
  std::future<SheetDataFound> secondFound;
  if (middle != kNone) secondFound = std::async(std::launch::async, [&] { return second.Run(text); });
  ContentScan scan;
  SheetDataFound found = scan.Run(text, middle);
  if (found == SheetDataFound::Stopped && scan.contentBegin != kNone && scan.depth == 2) {
    found = secondFound.get();
    if (middle > scan.gapBegin) scan.pieces.push_back({scan.gapBegin, middle, false});
    scan.pieces.insert(scan.pieces.end(), second.pieces.begin(), second.pieces.end());
    scan.contentEnd = second.contentEnd;
  } else if (found == SheetDataFound::Stopped) {
    found = scan.Run(text);
  }
  if (secondFound.valid()) secondFound.wait();
  if (found != SheetDataFound::Content) return found;
  for (SheetDataPiece& piece : scan.pieces) {
    piece.begin -= scan.contentBegin;
    piece.end -= scan.contentBegin;
  }
  begin = scan.contentBegin;
  end = scan.contentEnd;
  pieces = std::move(scan.pieces);
  return found;
}

// The part as pugixml reads it, written out again in UTF-8.
std::string CanonicalText(std::string_view bytes, const std::string& partName) {
  pugi::xml_document document = ParseXmlPart(bytes, partName);
  for (pugi::xml_node node : document.children()) {
    if (node.type() != pugi::node_declaration) continue;
    if (pugi::xml_attribute encoding = node.attribute("encoding")) encoding.set_value("UTF-8");
  }
  return SerializeXmlPart(document);
}

// Cuts the content out of `text`: the rows view it where it stands.
WorksheetText Split(std::string text, std::size_t begin, std::size_t end, std::vector<SheetDataPiece> pieces) {
  WorksheetText split;
  split.outer.reserve(text.size() - (end - begin));
  split.outer.append(text, 0, begin);
  split.outer.append(text, end);
  split.rows.buffer = std::make_shared<std::string>(std::move(text));
  split.rows.text = std::string_view(*split.rows.buffer).substr(begin, end - begin);
  split.rows.partOffset = begin;
  split.rows.pieces = std::move(pieces);
  return split;
}

std::string RowsMarker() {
  std::random_device device;
  const std::uint64_t nonce = (static_cast<std::uint64_t>(device()) << 32) | device();
  return "tabulara-rows-" + std::to_string(nonce);
}

}  // namespace

WorksheetText SplitWorksheetXml(std::string bytes, const std::string& partName, std::size_t twoThreadsFrom) {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::vector<SheetDataPiece> pieces;
  if (IsUtf8Xml(bytes)) {
    switch (FindSheetDataContent(bytes, begin, end, pieces, twoThreadsFrom)) {
      case SheetDataFound::Content:
        return Split(std::move(bytes), begin, end, std::move(pieces));
      case SheetDataFound::NoContent:
        return WorksheetText{std::move(bytes), {}};
      case SheetDataFound::Unreadable:
      case SheetDataFound::Stopped:
        break;
    }
  }
  std::string text = CanonicalText(bytes, partName);
  pieces.clear();
  if (FindSheetDataContent(text, begin, end, pieces, twoThreadsFrom) == SheetDataFound::Content) {
    return Split(std::move(text), begin, end, std::move(pieces));
  }
  return WorksheetText{std::move(text), {}};
}

std::shared_ptr<std::string> JoinWorksheetXml(pugi::xml_document& outer, SheetRows& rows) {
  if (rows.text.empty()) return std::make_shared<std::string>(SerializeXmlPart(outer));
  pugi::xml_node sheetData = ObtainWorksheetChild(outer.document_element(), "sheetData");
  const std::string marker = RowsMarker();
  pugi::xml_node placeholder = sheetData.prepend_child(pugi::node_pi);
  placeholder.set_name(marker.c_str());
  const std::string serialized = SerializeXmlPart(outer);
  sheetData.remove_child(placeholder);
  const std::string printed = "<?" + marker + "?>";
  const std::size_t at = serialized.find(printed);
  const std::string_view before = std::string_view(serialized).substr(0, at);
  const std::string_view after = std::string_view(serialized).substr(at + printed.size());
  std::string bytes;
  if (rows.buffer.use_count() == 1) {
    // Nothing else holds the rows' bytes: what stands around the rows there
    // is replaced, and the rows stay where they are.
    const std::size_t begin = static_cast<std::size_t>(rows.text.data() - rows.buffer->data());
    const std::size_t end = begin + rows.text.size();
    bytes = std::move(*rows.buffer);
    bytes.replace(end, std::string::npos, after);
    bytes.replace(0, begin, before);
  } else {
    ReserveLargeText(bytes, serialized.size() + rows.text.size());
    bytes.append(before);
    bytes.append(rows.text);
    bytes.append(after);
  }
  auto part = std::make_shared<std::string>(std::move(bytes));
  rows.text = std::string_view(*part).substr(before.size(), rows.text.size());
  rows.buffer = part;
  return part;
}

void ParseSheetDataPiece(pugi::xml_node holder, const SheetRows& rows, const SheetDataPiece& piece,
                         const std::string& partName) {
  const pugi::xml_parse_result result = holder.append_buffer(rows.text.data() + piece.begin, piece.end - piece.begin,
                                                             kXmlPartParseOptions, pugi::encoding_utf8);
  if (!result) throw NotWellFormed(partName, result, rows.partOffset + piece.begin);
}

}  // namespace tabulara::xlsx
