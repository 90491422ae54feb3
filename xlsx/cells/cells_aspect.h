#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <pugixml.hpp>

#include "embedded/model/grid.h"
#include "xlsx/cells/file_row.h"
#include "xlsx/cells/plain_row.h"
#include "xlsx/cells/row_digests.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

class SharedStringsAspect;
class StylesAspect;

// A worksheet's cells, rows, columns and their formats. Read fills the
// model's grid and notes a digest of each row; Write finds the rows whose
// digests changed since, decodes each from the part again and compares the
// grid's row with it, and edits only what differs: changed cells are
// rewritten in place, unchanged <c> elements stay as they were.
class CellsAspect : public SheetAspect {
 public:
  void Read(WorkbookParts& parts, SheetPart& sheet) override;
  bool Write(WorkbookParts& parts, SheetPart& sheet) override;

  // What the last Write changed: formulas (added, changed or removed), and
  // values or formulas.
  bool FormulasChanged() const { return formulasChanged_; }
  bool ValuesChanged() const { return valuesChanged_; }

 private:
  // What the grid holds besides its rows, as read or last written.
  struct Layout {
    embedded::model::ColumnRuns<embedded::model::Column> columns;
    std::vector<embedded::model::CellRect> arrays;
    std::uint32_t sheetFormat = 0;
    double defaultRowHeight = 0;
    double defaultColumnWidth = 0;
    void Take(const embedded::model::Grid& grid);
  };
  // What a Write needs from the workbook and its other aspects.
  struct WriteContext;

  void ReadSheetFormat(const pugi::xml_node& worksheet, embedded::model::Grid& grid, int maxDigitWidth);
  void ReadColumns(const pugi::xml_node& worksheet, embedded::model::Grid& grid, std::size_t formatCount);
  void ReadSheetData(WorkbookParts& parts, SheetPart& sheet);
  void IndexRows(const SheetRows& rows);

  bool WriteSheetFormat(pugi::xml_node worksheet, const embedded::model::Grid& grid);
  bool WriteColumns(pugi::xml_node worksheet, const embedded::model::Grid& grid, WriteContext& context);
  bool WriteSheetData(WorkbookParts& parts, SheetPart& sheet, const embedded::model::Grid& grid,
                      WriteContext& context);
  void RewriteRows(WorkbookParts& parts, SheetPart& sheet, const std::string& holderName,
                   const embedded::model::Grid& grid, WriteContext& context);
  std::vector<std::int32_t> ChangedRows(const embedded::model::Grid& grid, WriteContext& context);
  // The row as the part holds it, decoded into fileRow_: the plain row, or
  // the elements of its number parsed into `holder`.
  const FileRow* DecodeFileRow(RowDecoder& decoder, std::int32_t number, const PlainRow* plain,
                               const pugi::xml_node& holder);
  // Moves the cells of the row's later elements in `holder` into its first,
  // which then holds the row's settings as `file` read them.
  void MergeRowPieces(pugi::xml_node holder, std::int32_t number, const FileRow& file);
  void WriteRow(pugi::xml_node sheetData, pugi::xml_node element, std::int32_t number,
                const embedded::model::Grid& grid, const FileRow* before, WriteContext& context);
  // WriteRow without a DOM, for a plain row and the changes it can take;
  // false, having changed nothing, for any other change.
  bool WritePlainRow(PlainRow& row, std::int32_t number, const embedded::model::Grid& grid, const FileRow& before,
                     WriteContext& context);
  // `formulaKept`: FormulaKept for the cell, which WritePlainRow checked.
  void WritePlainCell(PlainRow& row, PlainCell& cell, embedded::model::CellAddress address,
                      const embedded::model::Cell& now, const embedded::model::Cell& before, bool formulaKept,
                      WriteContext& context);
  void WritePlainValue(PlainRow& row, PlainCell& cell, const embedded::model::Cell& now, WriteContext& context);
  void WriteCell(pugi::xml_node cell, embedded::model::CellAddress address, const embedded::model::Cell* now,
                 const embedded::model::Cell* before, const embedded::model::Grid& grid, const FileRow* beforeRow,
                 WriteContext& context);
  // `before` and `beforeRow`: the cell and its row as the part holds them.
  bool CellChanged(embedded::model::CellAddress address, const embedded::model::Cell* now,
                   const embedded::model::Cell* before, const embedded::model::Grid& grid, const FileRow* beforeRow,
                   WriteContext& context) const;
  // Whether the value the part holds for `before` stands for `now` as well.
  bool ValueKept(const embedded::model::Cell& now, const embedded::model::Cell& before, WriteContext& context) const;
  bool FormulaKept(embedded::model::CellAddress address, const embedded::model::Cell& now,
                   const embedded::model::Cell* before, const embedded::model::Grid& grid, const FileRow* beforeRow,
                   const WriteContext& context) const;
  void ForgetRewrittenMembers(WriteContext& context);

  std::string partName_;
  bool date1904_ = false;
  Layout layout_;
  // The rows' digests as read or last written.
  std::vector<RowDigest> digests_;
  // The cellXfs entries there were then: the most the part's cells name.
  std::size_t entryCount_ = 0;
  FileRow fileRow_;
  // The sheet's row pieces by number (in text order among equal numbers).
  std::vector<std::size_t> rowOrder_;
  SharedFormulas sharedFormulas_;
  bool formulasChanged_ = false;
  bool valuesChanged_ = false;
  // Reused by WritePlainRow from row to row.
  struct PlainChange {
    std::size_t cell;
    const embedded::model::Cell* now;
    const embedded::model::Cell* before;
    bool formulaKept;
  };
  std::vector<std::int64_t> plainColumns_;
  std::vector<PlainChange> plainChanges_;
};

}  // namespace tabulara::xlsx
