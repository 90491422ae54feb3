#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace tabulara::xlsx {

// A worksheet's rows are most of a large part, so the content of its
// <sheetData> is held as text beside the part's DOM and is read and rewritten
// a row at a time: rows left alone are written back as they were read.

struct WorksheetText {
  // The part's XML without the content of <sheetData>.
  std::string outer;
  // The content of <sheetData>, and where it began in the part.
  std::string rows;
  std::size_t rowsOffset = 0;
};

// Splits a worksheet part. A part in another encoding than UTF-8 is turned
// into UTF-8 first. PackageError when the part is not well-formed.
WorksheetText SplitWorksheetXml(std::string_view bytes, const std::string& partName);

// The part's bytes: `outer` serialized with `rows` inside its <sheetData>.
std::string JoinWorksheetXml(pugi::xml_document& outer, const std::string& rows);

// Parses sheetData content into `holder`'s children as the parts are parsed;
// PackageError naming the byte of the part where it fails.
void ParseSheetDataContent(pugi::xml_node holder, std::string_view text, std::size_t partOffset,
                           const std::string& partName);

// A piece of sheetData content: an element, or what stands between two
// (blanks, comments, text).
struct SheetDataPiece {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool element = false;
};

// Walks the pieces of sheetData content in order, parsing each element.
class SheetDataWalker {
 public:
  // `holderName`: the qualified name of the <sheetData> element.
  SheetDataWalker(std::string_view rows, std::size_t rowsOffset, const std::string& partName,
                  std::string holderName);

  // The next piece; false after the last. PackageError when the markup is
  // broken.
  bool Next(SheetDataPiece& piece);
  // The element of the last piece, parsed; empty for other pieces.
  pugi::xml_node Element() const { return element_; }

 private:
  std::size_t ElementEnd(std::size_t begin, std::size_t startTagEnd, std::string_view name);
  bool ParseElement(std::size_t begin, std::size_t end, bool reportErrors);
  [[noreturn]] void Fail(std::size_t at) const;

  std::string_view rows_;
  std::size_t rowsOffset_;
  const std::string& partName_;
  std::string holderName_;
  std::size_t at_ = 0;
  pugi::xml_document scratch_;
  pugi::xml_node element_;
};

}  // namespace tabulara::xlsx
