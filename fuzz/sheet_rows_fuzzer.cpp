// Reads arbitrary bytes as a worksheet part, split into its rows on one
// thread and on two; every row read without a DOM must print byte for byte as
// the DOM prints it, copied from its source or printed anew.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "xlsx/cells/plain_row.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/package/package_error.h"
#include "xlsx/xml/xml_part.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // Split on one thread, and on two from the first row tag past the middle:
  // alike, or both refused.
  const auto splitOn = [&bytes](std::size_t twoThreadsFrom) -> std::optional<tabulara::xlsx::WorksheetText> {
    try {
      return tabulara::xlsx::SplitWorksheetXml(bytes, "sheet.xml", twoThreadsFrom);
    } catch (const tabulara::xlsx::PackageError&) {
      return std::nullopt;
    }
  };
  const std::optional<tabulara::xlsx::WorksheetText> two = splitOn(0);
  const std::optional<tabulara::xlsx::WorksheetText> one = splitOn(std::numeric_limits<std::size_t>::max());
  if (one.has_value() != two.has_value()) std::abort();
  if (!one) return 0;
  const auto samePieces = [](const tabulara::xlsx::SheetDataPiece& a, const tabulara::xlsx::SheetDataPiece& b) {
    return a.begin == b.begin && a.end == b.end && a.element == b.element;
  };
  if (one->outer != two->outer || one->rows.text != two->rows.text || one->rows.partOffset != two->rows.partOffset ||
      !std::equal(one->rows.pieces.begin(), one->rows.pieces.end(), two->rows.pieces.begin(), two->rows.pieces.end(),
                  samePieces)) {
    std::abort();
  }
  const tabulara::xlsx::WorksheetText& split = *one;
  tabulara::xlsx::PlainRow row;
  for (const tabulara::xlsx::SheetDataPiece& piece : split.rows.pieces) {
    const std::string_view text(split.rows.text.data() + piece.begin, piece.end - piece.begin);
    if (!tabulara::xlsx::ParsePlainRow(text, row)) continue;
    std::string printed;
    tabulara::xlsx::PrintPlainRow(row, printed);
    // Printed again with every attribute held apart from the source and
    // every content marked edited: nothing is copied from the source then.
    const auto setAgain = [&row](tabulara::xlsx::PlainAttributes& attributes) {
      const std::vector<tabulara::xlsx::PlainAttribute> each(attributes.begin(), attributes.end());
      attributes.clear();
      for (const tabulara::xlsx::PlainAttribute& attribute : each) {
        attributes.Add({attribute.name, row.Keep(std::string(attribute.value))});
      }
    };
    setAgain(row.attributes);
    for (tabulara::xlsx::PlainCell& cell : row.cells) {
      setAgain(cell.attributes);
      cell.contentEdited = true;
    }
    std::string reprinted;
    tabulara::xlsx::PrintPlainRow(row, reprinted);
    pugi::xml_document document;
    if (!document.load_buffer(text.data(), text.size(), tabulara::xlsx::kXmlPartParseOptions,
                              pugi::encoding_utf8)) {
      std::abort();
    }
    std::string expected;
    tabulara::xlsx::AppendXml(document.first_child(), expected);
    if (printed != expected || reprinted != expected) std::abort();
  }
  return 0;
}
