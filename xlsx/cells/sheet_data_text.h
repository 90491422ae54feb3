#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace tabulara::xlsx {

// A worksheet's rows are most of a large part, so the content of its
// <sheetData> is held as text beside the part's DOM and is read and rewritten
// a row at a time: rows left alone are written back as they were read.

// A piece of sheetData content: an element (a row, mostly), or what stands
// between two (blanks, comments, text).
struct SheetDataPiece {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool element = false;
  // The number of a row; 0 for other pieces and before the rows are read.
  std::int32_t row = 0;
  // A row to write anew whenever the sheet's rows are written: it has no
  // number of its own (no r) and takes the one after the row before it,
  // which may go; or it names cellXfs entries the style sheet does not
  // have, which a save may add.
  bool rewriteAlways = false;
};

struct SheetRows {
  // The bytes `text` stands in: the part as read or as last written, which
  // the package may share, or the rows alone as just rewritten.
  std::shared_ptr<std::string> buffer;
  // The content of <sheetData>, in `buffer`.
  std::string_view text;
  // Where the text began in the part as read, for messages.
  std::size_t partOffset = 0;
  std::vector<SheetDataPiece> pieces;
};

struct WorksheetText {
  // The part's XML without the content of <sheetData>.
  std::string outer;
  SheetRows rows;
};

// A part this large is split on two threads.
inline constexpr std::size_t kSplitOnTwoThreadsFrom = std::size_t{1} << 20;

// Splits a worksheet part. A part in another encoding than UTF-8 is turned
// into UTF-8 first. PackageError when the part is not well-formed.
WorksheetText SplitWorksheetXml(std::string bytes, const std::string& partName,
                                std::size_t twoThreadsFrom = kSplitOnTwoThreadsFrom);

// The part's bytes: `outer` serialized with the rows inside its <sheetData>;
// the rows then view their text there. Bytes that only the rows hold become
// the part's in place, around the rows, instead of being copied.
std::shared_ptr<std::string> JoinWorksheetXml(pugi::xml_document& outer, SheetRows& rows);

// Parses a piece of sheetData content into `holder`'s children as the parts
// are parsed; PackageError naming the byte of the part where it fails.
void ParseSheetDataPiece(pugi::xml_node holder, const SheetRows& rows, const SheetDataPiece& piece,
                         const std::string& partName);

}  // namespace tabulara::xlsx
