#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "embedded/rules/error_values.h"
#include "xlsx/cells/aspect_lookup.h"
#include "xlsx/cells/cell_reference.h"
#include "xlsx/cells/cells_aspect.h"
#include "xlsx/cells/date_formats.h"
#include "xlsx/cells/formula_shifter.h"
#include "xlsx/cells/plain_row.h"
#include "xlsx/cells/plain_rows_ahead.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/cells/value_text.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/package/package_error.h"
#include "xlsx/strings/shared_strings_aspect.h"
#include "xlsx/strings/xstring.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::Cell;
using embedded::model::CellAddress;
using embedded::model::CellRect;
using embedded::model::Grid;

// A formula of the file as the model holds it, "=" first.
std::string Formula(std::string_view text) {
  std::string formula;
  formula.reserve(text.size() + 1);
  formula += '=';
  formula += text;
  return formula;
}

bool IsTrue(std::string_view value) { return value == "1" || value == "true"; }

bool IsTrue(const pugi::xml_attribute& attribute) { return IsTrue(attribute.value()); }

// Digits only, as std::from_chars reads them, in a loop that costs a third
// of its call for the few digits an index has.
std::optional<std::uint32_t> ReadIndex(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
    if (digit > 9) return std::nullopt;
    value = value * 10 + digit;
    if (value > UINT32_MAX) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

// The width of a column in the file's unit for `baseWidth` characters: the
// digits and 5 pixels of padding, rounded up to a multiple of 8 pixels.
double DefaultColumnWidth(double baseWidth, int maxDigitWidth) {
  const double pixels = std::ceil((baseWidth * maxDigitWidth + 5) / 8) * 8;
  return std::floor(pixels / maxDigitWidth * 256) / 256;
}

// Reads the <c> elements of a sheetData into a grid.
class SheetDataReader {
 public:
  SheetDataReader(WorkbookParts& parts, SheetPart& sheet, bool date1904)
      : parts_(parts),
        partName_(sheet.partName),
        grid_(sheet.sheet->grid()),
        strings_(FindWorkbookAspect<SharedStringsAspect>(parts)),
        dates_(parts.workbook->formats),
        formatCount_(parts.workbook->formats.size()),
        date1904_(date1904) {}

  // Reads the rows of the sheetData text, and numbers its row pieces.
  void Read(SheetRows& rows, const std::string& holderName) {
    std::vector<std::string_view> texts;
    for (const SheetDataPiece& piece : rows.pieces) {
      if (piece.element) texts.emplace_back(rows.text.data() + piece.begin, piece.end - piece.begin);
    }
    PlainRowsAhead parsed(std::move(texts), &Prepare);
    pugi::xml_document scratch;
    std::int32_t number = 0;
    for (SheetDataPiece& piece : rows.pieces) {
      if (!piece.element) continue;
      const PlainRow* const plain = parsed.Next();
      if (plain != nullptr && Readable(*plain)) {
        number = RowNumber(rowAttributes_.r, number);
        ReadPlainRow(*plain, number);
        piece.row = number;
        continue;
      }
      scratch.reset();
      pugi::xml_node holder = scratch.append_child(holderName.c_str());
      ParseSheetDataPiece(holder, rows, piece, partName_);
      const pugi::xml_node row = holder.first_child();
      if (!IsNamed(row, "row")) continue;
      number = RowNumber(OptionalValue(row.attribute("r")), number);
      ReadRow(row, number);
      piece.row = number;
    }
  }

  // Member formulas from their masters, and array formulas in their
  // top-left cells.
  void Finish(std::unordered_map<std::uint32_t, std::vector<CellAddress>>& membersOut,
              std::unordered_map<std::uint32_t, CellAddress>& mastersOut) {
    grid_.formulas.reserve(grid_.formulas.size() + formulas_.size() + members_.size() + arrays_.size());
    for (auto& [key, formula] : formulas_) grid_.formulas.insert_or_assign(key, std::move(formula));
    for (const auto& [address, index] : members_) {
      const auto master = masters_.find(index);
      Cell* cell = grid_.Find(address);
      if (master == masters_.end() || cell == nullptr) continue;
      const CellAddress from = master->second.address;
      grid_.formulas.insert_or_assign(
          Grid::FormulaKey(address),
          Formula(ShiftFormula(master->second.text, address.row - from.row, address.column - from.column)));
      cell->hasFormula = true;
      membersOut[index].push_back(address);
    }
    for (const auto& [index, master] : masters_) mastersOut.emplace(index, master.address);
    for (auto& [range, formula] : arrays_) {
      grid_.arrays.push_back(range);
      grid_.Obtain(range.TopLeft()).hasFormula = true;
      grid_.formulas.insert_or_assign(Grid::FormulaKey(range.TopLeft()), std::move(formula));
    }
  }

 private:
  struct Master {
    CellAddress address;
    std::string text;
  };

  [[noreturn]] void Fail(const std::string& what) const { throw PackageError("the part " + partName_ + ": " + what); }

  static std::optional<std::string_view> OptionalValue(const pugi::xml_attribute& attribute) {
    return attribute ? std::optional<std::string_view>(attribute.value()) : std::nullopt;
  }

  std::int32_t RowNumber(std::optional<std::string_view> r, std::int32_t previous) const {
    if (!r) return previous + 1;
    const auto number = ReadIndex(*r);
    if (!number || *number < 1) Fail("the row number \"" + std::string(*r) + "\" is not valid");
    if (*number > static_cast<std::uint32_t>(embedded::model::kRowCount)) {
      Fail("row " + std::string(*r) + " lies outside the sheet (the last row is 1048576)");
    }
    return static_cast<std::int32_t>(*number);
  }

  void ReadRow(const pugi::xml_node& element, std::int32_t number) {
    embedded::model::Row& row = grid_.rows[number];
    if (const pugi::xml_attribute height = element.attribute("ht")) row.height = height.as_double();
    row.hidden = IsTrue(element.attribute("hidden"));
    if (IsTrue(element.attribute("customFormat"))) row.format = FormatOf(element.attribute("s").as_uint());
    std::int32_t column = 0;
    bool sorted = true;
    for (const pugi::xml_node c : element.children()) {
      if (!IsNamed(c, "c")) continue;
      const std::int32_t next = ColumnOf(OptionalValue(c.attribute("r")), number, column);
      sorted = sorted && next > column;
      column = next;
      row.cells.push_back(ReadCell(c, {number, column}));
    }
    FinishRow(row, number, sorted);
  }

  // What each cell's first r and its value's text read as, worked out
  // beside the parse.
  static void Prepare(PlainRow& row) {
    NoteCellReferences(row);
    for (PlainCell& cell : row.cells) {
      if (cell.content == PlainCell::Content::Value && cell.text) cell.number = ParseCellNumber(*cell.text);
    }
  }

  // The first r, s and t of a plain cell, taken in one pass.
  struct CellAttributes {
    std::optional<std::string_view> r;
    std::string_view s;
    std::string_view t;
  };

  // The first of each attribute a row is read by, taken in one pass.
  struct RowAttributes {
    std::optional<std::string_view> r;
    std::optional<std::string_view> s;
    std::optional<std::string_view> ht;
    std::optional<std::string_view> hidden;
    std::optional<std::string_view> customFormat;
  };

  static RowAttributes TakeRowAttributes(const PlainAttributes& attributes) {
    RowAttributes taken;
    for (const PlainAttribute& attribute : attributes) {
      const std::string_view name = attribute.name;
      std::optional<std::string_view>* const into = name == "r"              ? &taken.r
                                                    : name == "s"            ? &taken.s
                                                    : name == "ht"           ? &taken.ht
                                                    : name == "hidden"       ? &taken.hidden
                                                    : name == "customFormat" ? &taken.customFormat
                                                                             : nullptr;
      if (into != nullptr && !*into) *into = attribute.value;
    }
    return taken;
  }

  // Rows with a number and a format that is a number where it counts, and
  // cells of only r, s (a number) and t, are read as the DOM path reads them.
  // Notes the attributes of such a row and of its cells for ReadPlainRow.
  bool Readable(const PlainRow& row) {
    rowAttributes_ = TakeRowAttributes(row.attributes);
    if (!rowAttributes_.r) return false;
    if (IsTrue(rowAttributes_.customFormat.value_or("")) && !PlainFormat(rowAttributes_.s.value_or(""))) return false;
    cellAttributes_.clear();
    for (const PlainCell& cell : row.cells) {
      CellAttributes& taken = cellAttributes_.emplace_back();
      bool hasS = false;
      bool hasT = false;
      for (const PlainAttribute& attribute : cell.attributes) {
        if (attribute.name.size() != 1) return false;
        switch (attribute.name.front()) {
          case 'r':
            if (!taken.r) taken.r = attribute.value;
            break;
          case 's':
            if (!PlainFormat(attribute.value)) return false;
            if (!hasS) taken.s = attribute.value;
            hasS = true;
            break;
          case 't':
            if (!hasT) taken.t = attribute.value;
            hasT = true;
            break;
          default:
            return false;
        }
      }
      if (!taken.r) return false;
    }
    return true;
  }

  // A number as pugixml reads an attribute's (strtod); a plain decimal, which
  // both read alike, without a call to strtod.
  static double AttributeNumber(std::string_view text) {
    if (const std::optional<double> number = ParseCellNumber(text)) return *number;
    return std::strtod(std::string(text).c_str(), nullptr);
  }

  static std::optional<std::uint32_t> PlainFormat(std::string_view text) {
    constexpr std::size_t kMostDigits = 9;
    if (text.size() > kMostDigits) return std::nullopt;
    return ReadIndex(text);
  }

  // A row Readable took last.
  void ReadPlainRow(const PlainRow& plain, std::int32_t number) {
    embedded::model::Row& row = grid_.rows[number];
    const RowAttributes& attributes = rowAttributes_;
    if (attributes.ht) row.height = AttributeNumber(*attributes.ht);
    row.hidden = IsTrue(attributes.hidden.value_or(""));
    if (IsTrue(attributes.customFormat.value_or(""))) row.format = FormatOf(*PlainFormat(attributes.s.value_or("")));
    row.cells.reserve(row.cells.size() + plain.cells.size());
    std::int32_t column = 0;
    bool sorted = true;
    for (std::size_t i = 0; i < plain.cells.size(); ++i) {
      const PlainCell& c = plain.cells[i];
      const CellAttributes& taken = cellAttributes_[i];
      const std::int32_t next = CheckedColumn(*taken.r, c.reference, number);
      sorted = sorted && next > column;
      column = next;
      Cell cell;
      cell.column = static_cast<std::uint16_t>(column);
      cell.format = FormatOf(PlainFormat(taken.s).value_or(0));
      if (c.hasFormula) {
        const PlainAttributes& f = c.formulaAttributes;
        ReadFormula(f.Value("t"), f.Value("si"), f.Value("ref"), c.formula.value_or(std::string_view()),
                    {number, column}, cell);
      }
      const std::string_view text = c.text.value_or(std::string_view());
      std::optional<std::string> inlineText;
      if (c.content == PlainCell::Content::InlineText) inlineText = DecodeXstring(text);
      ReadValue(taken.t, c.content == PlainCell::Content::Value, text, c.number, inlineText, {number, column}, cell);
      row.cells.push_back(cell);
    }
    FinishRow(row, number, sorted);
  }

  void FinishRow(embedded::model::Row& row, std::int32_t number, bool sorted) {
    if (!sorted) {
      std::stable_sort(row.cells.begin(), row.cells.end(),
                       [](const Cell& a, const Cell& b) { return a.column < b.column; });
    }
    if (row.HoldsNothing()) grid_.rows.erase(number);
  }

  std::int32_t ColumnOf(std::optional<std::string_view> r, std::int32_t row, std::int32_t previous) const {
    if (!r) {
      if (previous >= embedded::model::kColumnCount) Fail("a cell of row " + std::to_string(row) + " lies past XFD");
      return previous + 1;
    }
    return CheckedColumn(*r, ParseWrittenReference(*r), row);
  }

  // The column of the cell reference `r` in row `row`, as `reference` reads it.
  std::int32_t CheckedColumn(std::string_view r, const std::optional<WrittenReference>& reference,
                             std::int32_t row) const {
    if (!reference) Fail("the cell reference \"" + std::string(r) + "\" is not valid");
    if (!reference->InSheet()) {
      Fail("the cell " + std::string(r) + " lies outside the sheet (the last cell is XFD1048576)");
    }
    if (reference->row != row) Fail("the cell " + std::string(r) + " is in row " + std::to_string(row));
    return static_cast<std::int32_t>(reference->column);
  }

  std::uint32_t FormatOf(std::uint32_t format) const { return format < formatCount_ ? format : 0; }

  Cell ReadCell(const pugi::xml_node& c, CellAddress address) {
    Cell cell;
    cell.column = static_cast<std::uint16_t>(address.column);
    cell.format = FormatOf(c.attribute("s").as_uint());
    pugi::xml_node value;
    pugi::xml_node inlineString;
    for (const pugi::xml_node child : c.children()) {
      if (IsNamed(child, "v")) {
        value = child;
      } else if (IsNamed(child, "f")) {
        ReadFormula(child.attribute("t").value(), child.attribute("si").value(), child.attribute("ref").value(),
                    child.text().get(), address, cell);
      } else if (IsNamed(child, "is")) {
        inlineString = child;
      }
    }
    std::optional<std::string> inlineText;
    if (inlineString) inlineText = PlainTextOf(inlineString);
    const std::string_view text = value.text().get();
    ReadValue(c.attribute("t").value(), static_cast<bool>(value), text, ParseCellNumber(text), inlineText, address,
              cell);
    return cell;
  }

  // The value of a cell of type `type`: its <v> text, or its inline text.
  // `number` is what ParseCellNumber makes of `text`.
  void ReadValue(std::string_view type, bool hasValue, std::string_view text, std::optional<double> number,
                 const std::optional<std::string>& inlineText, CellAddress address, Cell& cell) {
    if (type == "inlineStr") {
      if (inlineText) cell.SetText(parts_.workbook->strings.Intern(*inlineText));
    } else if (!hasValue) {
      return;
    } else if (type == "s") {
      ReadSharedString(text, address, cell);
    } else if (type == "str") {
      cell.SetText(parts_.workbook->strings.Intern(DecodeXstring(text)));
    } else if (type == "b") {
      cell.SetLogical(text == "1" || text == "true");
    } else if (type == "e") {
      cell.SetError(embedded::ErrorCodeOf(text).value_or(host::xlErrValue));
    } else if (type == "d") {
      if (const auto serial = IsoDateSerial(text)) cell.SetNumber(*serial);
    } else if (number) {
      cell.SetNumber(date1904_ && dates_.IsDate(cell.format) ? *number + kDate1904Offset : *number);
    }
  }

  void ReadSharedString(std::string_view text, CellAddress address, Cell& cell) {
    const auto index = ReadIndex(text);
    const auto id = index && strings_ != nullptr ? strings_->PoolIdOf(*index) : std::nullopt;
    if (!id) {
      Fail("the cell " + CellReferenceText(address) + " refers to shared string " + std::string(text) +
           ", which the workbook does not have");
    }
    cell.SetText(*id);
  }

  // A formula of type `type`, shared index `sharedIndex` and range `ref`.
  void ReadFormula(std::string_view type, std::string_view sharedIndex, std::string_view ref, std::string_view text,
                   CellAddress address, Cell& cell) {
    if (type == "shared") {
      const auto index = ReadIndex(sharedIndex);
      if (!index) return;
      if (!text.empty()) {
        masters_.try_emplace(*index, Master{address, std::string(text)});
        SetFormula(address, text, cell);
      } else {
        members_.emplace_back(address, *index);
      }
      return;
    }
    if (text.empty()) return;
    if (type == "array") {
      const auto range = ParseRangeReference(ref);
      if (range && range->TopLeft() == address) {
        arrays_.emplace_back(*range, Formula(text));
        return;
      }
    }
    SetFormula(address, text, cell);
  }

  void SetFormula(CellAddress address, std::string_view text, Cell& cell) {
    cell.hasFormula = true;
    formulas_.emplace_back(Grid::FormulaKey(address), Formula(text));
  }

  WorkbookParts& parts_;
  const std::string& partName_;
  Grid& grid_;
  SharedStringsAspect* strings_;
  DateFormats dates_;
  std::size_t formatCount_;
  bool date1904_;
  std::unordered_map<std::uint32_t, Master> masters_;
  std::vector<std::pair<CellAddress, std::uint32_t>> members_;
  std::vector<std::pair<CellRect, std::string>> arrays_;
  // The attributes of the plain row Readable took last, and of its cells.
  RowAttributes rowAttributes_;
  std::vector<CellAttributes> cellAttributes_;
  // The cells' own formulas in the order read, put in the grid's table at
  // once when its size is known.
  std::vector<std::pair<std::uint64_t, std::string>> formulas_;
};

}  // namespace

void CellsAspect::Read(WorkbookParts& parts, SheetPart& sheet) {
  partName_ = sheet.partName;
  const pugi::xml_node worksheet = sheet.xml.document_element();
  if (!IsNamed(worksheet, "worksheet")) return;
  date1904_ = UsesDate1904(parts.workbookXml);
  Grid& grid = sheet.sheet->grid();
  ReadSheetFormat(worksheet, grid, parts.workbook->maxDigitWidth);
  ReadColumns(worksheet, grid, parts.workbook->formats.size());
  const pugi::xml_node sheetData = ChildNamed(worksheet, "sheetData");
  SheetDataReader reader(parts, sheet, date1904_);
  reader.Read(sheet.sheetRows, sheetData ? sheetData.name() : "sheetData");
  std::unordered_map<std::uint32_t, std::vector<CellAddress>> members;
  std::unordered_map<std::uint32_t, CellAddress> masters;
  reader.Finish(members, masters);
  for (auto& [index, addresses] : members) {
    const auto master = masters.find(index);
    if (master != masters.end()) sharedFormulas_[index] = SharedFormula{master->second, std::move(addresses)};
  }
  IndexRows(sheet.sheetRows);
  snapshot_.Take(grid);
}

void CellsAspect::ReadSheetFormat(const pugi::xml_node& worksheet, Grid& grid, int maxDigitWidth) {
  const pugi::xml_node format = ChildNamed(worksheet, "sheetFormatPr");
  if (!format) return;
  if (const pugi::xml_attribute height = format.attribute("defaultRowHeight")) grid.defaultRowHeight = height.as_double();
  if (const pugi::xml_attribute width = format.attribute("defaultColWidth")) {
    grid.defaultColumnWidth = width.as_double();
  } else if (const pugi::xml_attribute base = format.attribute("baseColWidth"); base && maxDigitWidth > 0) {
    grid.defaultColumnWidth = DefaultColumnWidth(base.as_double(), maxDigitWidth);
  }
}

void CellsAspect::ReadColumns(const pugi::xml_node& worksheet, Grid& grid, std::size_t formatCount) {
  for (const pugi::xml_node cols : worksheet.children()) {
    if (!IsNamed(cols, "cols")) continue;
    for (const pugi::xml_node col : cols.children()) {
      if (!IsNamed(col, "col")) continue;
      const std::int32_t first = std::max(1, col.attribute("min").as_int());
      const std::int32_t last = std::min(embedded::model::kColumnCount, col.attribute("max").as_int(first));
      embedded::model::Column column;
      if (const pugi::xml_attribute width = col.attribute("width")) column.width = width.as_double();
      column.hidden = IsTrue(col.attribute("hidden"));
      if (const pugi::xml_attribute style = col.attribute("style")) {
        column.format = style.as_uint() < formatCount ? style.as_uint() : 0;
      }
      // A later <col> over the same columns replaces what an earlier one said.
      grid.columns.Assign(first, last, column);
    }
  }
}

void CellsAspect::IndexRows(const SheetRows& rows) {
  rowOrder_.clear();
  for (std::size_t i = 0; i < rows.pieces.size(); ++i) {
    if (rows.pieces[i].row != 0) rowOrder_.push_back(i);
  }
  const auto byNumber = [&](std::size_t a, std::size_t b) { return rows.pieces[a].row < rows.pieces[b].row; };
  // Rows mostly come in order already.
  if (!std::is_sorted(rowOrder_.begin(), rowOrder_.end(), byNumber)) {
    std::stable_sort(rowOrder_.begin(), rowOrder_.end(), byNumber);
  }
}

}  // namespace tabulara::xlsx
