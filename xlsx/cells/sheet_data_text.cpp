#include "xlsx/cells/sheet_data_text.h"

#include <optional>
#include <random>

#include "xlsx/cells/worksheet_children.h"
#include "xlsx/package/package_error.h"
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

bool EndsName(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '>'; }

std::string_view LocalPart(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == kNone ? name : name.substr(colon + 1);
}

// The markup that starts with the '<' at `at`; none when it is cut off,
// malformed, or a document type declaration.
std::optional<Markup> ScanMarkup(std::string_view text, std::size_t at) {
  const std::string_view rest = text.substr(at);
  const auto skipTo = [&](std::string_view close, std::size_t from) -> std::optional<Markup> {
    const std::size_t found = text.find(close, at + from);
    if (found == kNone) return std::nullopt;
    return Markup{MarkupKind::Other, {}, found + close.size()};
  };
  if (rest.starts_with("<!--")) return skipTo("-->", 4);
  if (rest.starts_with("<![CDATA[")) return skipTo("]]>", 9);
  if (rest.starts_with("<?")) return skipTo("?>", 2);
  if (rest.starts_with("<!")) return std::nullopt;

  const bool endTag = rest.starts_with("</");
  std::size_t i = at + (endTag ? 2 : 1);
  const std::size_t nameBegin = i;
  while (i < text.size() && !EndsName(text[i])) ++i;
  if (i == nameBegin) return std::nullopt;
  const std::string_view name = text.substr(nameBegin, i - nameBegin);
  char quote = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '<') {
      return std::nullopt;
    } else if (c == '>') {
      break;
    }
  }
  if (i == text.size()) return std::nullopt;
  const MarkupKind kind = endTag ? MarkupKind::EndTag : text[i - 1] == '/' ? MarkupKind::EmptyTag : MarkupKind::StartTag;
  return Markup{kind, name, i + 1};
}

struct ContentSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

enum class SheetDataFound { Content, NoContent, Unreadable };

// Finds the content of the first <sheetData> child of the document element.
SheetDataFound FindSheetDataContent(std::string_view text, ContentSpan& span) {
  int depth = 0;
  std::size_t contentBegin = kNone;
  for (std::size_t at = text.find('<'); at != kNone; at = text.find('<', at)) {
    const std::optional<Markup> markup = ScanMarkup(text, at);
    if (!markup) return SheetDataFound::Unreadable;
    const bool isSheetData = depth == 1 && contentBegin == kNone && markup->kind != MarkupKind::Other &&
                             LocalPart(markup->name) == "sheetData";
    switch (markup->kind) {
      case MarkupKind::StartTag:
        if (isSheetData) contentBegin = markup->end;
        ++depth;
        break;
      case MarkupKind::EmptyTag:
        if (isSheetData) return SheetDataFound::NoContent;
        break;
      case MarkupKind::EndTag:
        if (--depth < 0) return SheetDataFound::Unreadable;
        if (depth == 1 && contentBegin != kNone) {
          span = {contentBegin, at};
          return SheetDataFound::Content;
        }
        break;
      case MarkupKind::Other:
        break;
    }
    at = markup->end;
  }
  return contentBegin == kNone ? SheetDataFound::NoContent : SheetDataFound::Unreadable;
}

bool IsUtf16Or32(std::string_view bytes) {
  if (bytes.size() < 2) return false;
  const auto byte = [&](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0xffU; };
  return (byte(0) == 0xfe && byte(1) == 0xff) || (byte(0) == 0xff && byte(1) == 0xfe) || byte(0) == 0 ||
         byte(1) == 0;
}

// The encoding named by the XML declaration, lower case; empty when none is.
std::string DeclaredEncoding(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (!bytes.starts_with("<?xml")) return "";
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  const std::size_t key = declaration.find("encoding");
  if (key == kNone) return "";
  const std::size_t open = declaration.find_first_of("\"'", key);
  if (open == kNone) return "";
  const std::size_t close = declaration.find(declaration[open], open + 1);
  if (close == kNone) return "";
  std::string name(declaration.substr(open + 1, close - open - 1));
  for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  return name;
}

bool IsUtf8(std::string_view bytes) {
  if (IsUtf16Or32(bytes)) return false;
  const std::string encoding = DeclaredEncoding(bytes);
  return encoding.empty() || encoding == "utf-8" || encoding == "utf8";
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

WorksheetText Split(std::string_view text, const ContentSpan& span) {
  WorksheetText split;
  split.outer.reserve(text.size() - (span.end - span.begin));
  split.outer.append(text.substr(0, span.begin));
  split.outer.append(text.substr(span.end));
  split.rows.assign(text.substr(span.begin, span.end - span.begin));
  split.rowsOffset = span.begin;
  return split;
}

std::string RowsMarker() {
  std::random_device device;
  const std::uint64_t nonce = (static_cast<std::uint64_t>(device()) << 32) | device();
  return "tabulara-rows-" + std::to_string(nonce);
}

}  // namespace

WorksheetText SplitWorksheetXml(std::string_view bytes, const std::string& partName) {
  ContentSpan span;
  if (IsUtf8(bytes)) {
    switch (FindSheetDataContent(bytes, span)) {
      case SheetDataFound::Content:
        return Split(bytes, span);
      case SheetDataFound::NoContent:
        return WorksheetText{std::string(bytes), {}, 0};
      case SheetDataFound::Unreadable:
        break;
    }
  }
  const std::string text = CanonicalText(bytes, partName);
  if (FindSheetDataContent(text, span) == SheetDataFound::Content) return Split(text, span);
  return WorksheetText{text, {}, 0};
}

std::string JoinWorksheetXml(pugi::xml_document& outer, const std::string& rows) {
  if (rows.empty()) return SerializeXmlPart(outer);
  pugi::xml_node sheetData = ObtainWorksheetChild(outer.document_element(), "sheetData");
  const std::string marker = RowsMarker();
  pugi::xml_node placeholder = sheetData.prepend_child(pugi::node_pi);
  placeholder.set_name(marker.c_str());
  std::string bytes = SerializeXmlPart(outer);
  sheetData.remove_child(placeholder);
  const std::string printed = "<?" + marker + "?>";
  bytes.replace(bytes.find(printed), printed.size(), rows);
  return bytes;
}

void ParseSheetDataContent(pugi::xml_node holder, std::string_view text, std::size_t partOffset,
                           const std::string& partName) {
  const pugi::xml_parse_result result =
      holder.append_buffer(text.data(), text.size(), kXmlPartParseOptions, pugi::encoding_utf8);
  if (!result) {
    throw PackageError("the part " + partName + " is not well-formed XML (" + result.description() + " at byte " +
                       std::to_string(partOffset + static_cast<std::size_t>(result.offset)) + ")");
  }
}

SheetDataWalker::SheetDataWalker(std::string_view rows, std::size_t rowsOffset, const std::string& partName,
                                 std::string holderName)
    : rows_(rows), rowsOffset_(rowsOffset), partName_(partName), holderName_(std::move(holderName)) {}

bool SheetDataWalker::Next(SheetDataPiece& piece) {
  element_ = pugi::xml_node();
  if (at_ >= rows_.size()) return false;
  const std::size_t begin = at_;
  for (std::size_t lt = rows_.find('<', at_); lt != kNone; lt = rows_.find('<', lt)) {
    const std::optional<Markup> markup = ScanMarkup(rows_, lt);
    if (!markup || markup->kind == MarkupKind::EndTag) Fail(lt);
    if (markup->kind == MarkupKind::Other) {
      lt = markup->end;
      continue;
    }
    if (lt > begin) {
      at_ = lt;
      piece = {begin, lt, false};
      return true;
    }
    std::size_t end = markup->end;
    if (markup->kind == MarkupKind::EmptyTag) {
      ParseElement(lt, end, true);
    } else {
      end = ElementEnd(lt, markup->end, markup->name);
    }
    at_ = end;
    piece = {lt, end, true};
    return true;
  }
  at_ = rows_.size();
  piece = {begin, rows_.size(), false};
  return true;
}

// Where the element that starts at `begin` ends, its content parsed. Most
// elements end at the first end tag of their name; one that holds that tag
// in a comment or nests its like is found by counting tags.
std::size_t SheetDataWalker::ElementEnd(std::size_t begin, std::size_t startTagEnd, std::string_view name) {
  const std::string endTag = "</" + std::string(name) + ">";
  const std::size_t quick = rows_.find(endTag, startTagEnd);
  if (quick != kNone && ParseElement(begin, quick + endTag.size(), false)) return quick + endTag.size();
  int depth = 1;
  for (std::size_t lt = rows_.find('<', startTagEnd); lt != kNone; lt = rows_.find('<', lt)) {
    const std::optional<Markup> markup = ScanMarkup(rows_, lt);
    if (!markup) Fail(lt);
    if (markup->kind == MarkupKind::StartTag) ++depth;
    if (markup->kind == MarkupKind::EndTag && --depth == 0) {
      ParseElement(begin, markup->end, true);
      return markup->end;
    }
    lt = markup->end;
  }
  Fail(begin);
}

bool SheetDataWalker::ParseElement(std::size_t begin, std::size_t end, bool reportErrors) {
  scratch_.reset();
  pugi::xml_node holder = scratch_.append_child(holderName_.c_str());
  const std::string_view text = rows_.substr(begin, end - begin);
  if (reportErrors) {
    ParseSheetDataContent(holder, text, rowsOffset_ + begin, partName_);
  } else if (!holder.append_buffer(text.data(), text.size(), kXmlPartParseOptions, pugi::encoding_utf8)) {
    return false;
  }
  element_ = holder.first_child();
  return true;
}

void SheetDataWalker::Fail(std::size_t at) const {
  throw PackageError("the part " + partName_ + " is not well-formed XML (broken markup at byte " +
                     std::to_string(rowsOffset_ + at) + ")");
}

}  // namespace tabulara::xlsx
