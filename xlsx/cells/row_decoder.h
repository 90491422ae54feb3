#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "embedded/model/grid.h"
#include "xlsx/cells/date_formats.h"
#include "xlsx/cells/plain_row.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

class SharedStringsAspect;

// A formula as a cell's <f> gives it, before shared formulas are resolved.
struct RowFormula {
  enum class Kind : std::uint8_t {
    // The cell's own text; a shared master's text is its own as well.
    Own,
    SharedMaster,
    // A shared formula's member: the master's text, shifted.
    SharedMember,
    // The top-left cell of an array formula over `range`.
    Array,
  };
  Kind kind = Kind::Own;
  std::uint16_t column = 0;
  std::uint32_t sharedIndex = 0;
  embedded::model::CellRect range{};
  // Views the row's source, or the DOM it was parsed into; empty for a member.
  std::string_view text;
};

// The first cell of a sheet that gives a shared formula's text, and the text.
struct SharedMaster {
  embedded::model::CellAddress address;
  std::string text;
};

// Turns a worksheet's <row> elements into the model's cells: values as the
// model holds them (texts in the workbook's string pool, dates of the 1904
// system shifted), formats as the file's cellXfs indexes. Own and master
// formulas mark their cells; members and arrays are left to the caller,
// which knows the whole sheet. PackageError for a row or cell the sheet
// cannot hold.
class RowDecoder {
 public:
  // `entries`: how many cellXfs entries the part's cells may name; a cell or
  // row naming another takes format `beyond`: the model's default when read,
  // kNoEntry, which no model format writes, when compared for a write.
  RowDecoder(WorkbookParts& parts, const std::string& partName, bool date1904, std::size_t entries,
             std::uint32_t beyond);
  static constexpr std::uint32_t kNoEntry = UINT32_MAX;

  // Done beside the parse of a plain row that may be decoded (PlainRowsAhead's
  // preparation): the cells' references and numbers.
  static void Prepare(PlainRow& row);

  // Whether DecodePlain reads the row as the DOM path would: a row with a
  // number and a format that is a number where it counts, cells of only r,
  // s (a number) and t. Notes the attributes for DecodePlain.
  bool Readable(const PlainRow& row);
  // The number of the row Readable took last; `previous` is the number of
  // the row before.
  std::int32_t PlainRowNumber(std::int32_t previous) const { return RowNumber(rowAttributes_.r, previous); }
  std::int32_t ElementRowNumber(const pugi::xml_node& element, std::int32_t previous) const;

  // Adds the row's settings and cells to `row`, as a later piece of the
  // same row adds to an earlier one; its formulas to `formulas`. The cells
  // are in the source's order until FinishRow.
  void DecodePlain(const PlainRow& plain, std::int32_t number, embedded::model::Row& row,
                   std::vector<RowFormula>& formulas);
  void DecodeElement(const pugi::xml_node& element, std::int32_t number, embedded::model::Row& row,
                     std::vector<RowFormula>& formulas);

  // The cells in column order.
  static void FinishRow(embedded::model::Row& row);

  // Whether a row decoded since the last call named an entry past `entries`.
  bool TakeMissingEntries() { return std::exchange(missingEntries_, false); }

 private:
  struct CellAttributes {
    std::optional<std::string_view> r;
    std::string_view s;
    std::string_view t;
  };
  struct RowAttributes {
    std::optional<std::string_view> r;
    std::optional<std::string_view> s;
    std::optional<std::string_view> ht;
    std::optional<std::string_view> hidden;
    std::optional<std::string_view> customFormat;
  };

  [[noreturn]] void Fail(const std::string& what) const;
  std::int32_t RowNumber(std::optional<std::string_view> r, std::int32_t previous) const;
  std::int32_t ColumnOf(std::optional<std::string_view> r, std::int32_t row, std::int32_t previous) const;
  std::int32_t CheckedColumn(std::string_view r, const std::optional<WrittenReference>& reference,
                             std::int32_t row) const;
  std::uint32_t FormatOf(std::uint32_t format) {
    if (format < entries_) return format;
    missingEntries_ = true;
    return beyond_;
  }
  embedded::model::Cell DecodeCell(const pugi::xml_node& c, embedded::model::CellAddress address,
                                   std::vector<RowFormula>& formulas);
  void DecodeValue(std::string_view type, bool hasValue, std::string_view text, std::optional<double> number,
                   const std::optional<std::string>& inlineText, embedded::model::CellAddress address,
                   embedded::model::Cell& cell);
  void DecodeSharedString(std::string_view text, embedded::model::CellAddress address, embedded::model::Cell& cell);
  static void DecodeFormula(std::string_view type, std::string_view sharedIndex, std::string_view ref,
                            std::string_view text, embedded::model::CellAddress address, embedded::model::Cell& cell,
                            std::vector<RowFormula>& formulas);

  WorkbookParts& parts_;
  const std::string& partName_;
  SharedStringsAspect* strings_;
  EntryDates dates_;
  std::size_t entries_;
  std::uint32_t beyond_;
  bool missingEntries_ = false;
  bool date1904_;
  // The attributes of the plain row Readable took last, and of its cells.
  RowAttributes rowAttributes_;
  std::vector<CellAttributes> cellAttributes_;
};

}  // namespace tabulara::xlsx
