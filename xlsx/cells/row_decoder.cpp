#include "xlsx/cells/row_decoder.h"

#include <algorithm>
#include <cstdlib>

#include "embedded/rules/error_values.h"
#include "xlsx/cells/aspect_lookup.h"
#include "xlsx/cells/cell_reference.h"
#include "xlsx/cells/value_text.h"
#include "xlsx/package/package_error.h"
#include "xlsx/strings/shared_strings_aspect.h"
#include "xlsx/strings/xstring.h"
#include "xlsx/styles/styles_aspect.h"
#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::Cell;
using embedded::model::CellAddress;

bool IsTrue(std::string_view value) { return value == "1" || value == "true"; }

bool IsTrue(const pugi::xml_attribute& attribute) { return IsTrue(attribute.value()); }

std::optional<std::string_view> OptionalValue(const pugi::xml_attribute& attribute) {
  return attribute ? std::optional<std::string_view>(attribute.value()) : std::nullopt;
}

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

std::optional<std::uint32_t> PlainFormat(std::string_view text) {
  constexpr std::size_t kMostDigits = 9;
  if (text.size() > kMostDigits) return std::nullopt;
  return ReadIndex(text);
}

// A number as pugixml reads an attribute's (strtod); a plain decimal, which
// both read alike, without a call to strtod.
double AttributeNumber(std::string_view text) {
  if (const std::optional<double> number = ParseCellNumber(text)) return *number;
  return std::strtod(std::string(text).c_str(), nullptr);
}

}  // namespace

RowDecoder::RowDecoder(WorkbookParts& parts, const std::string& partName, bool date1904, std::size_t entries,
                       std::uint32_t beyond)
    : parts_(parts),
      partName_(partName),
      strings_(FindWorkbookAspect<SharedStringsAspect>(parts)),
      dates_(FindWorkbookAspect<StylesAspect>(parts), parts.workbook->formats),
      entries_(entries),
      beyond_(beyond),
      date1904_(date1904) {}

void RowDecoder::Prepare(PlainRow& row) {
  NoteCellReferences(row);
  for (PlainCell& cell : row.cells) {
    if (cell.content == PlainCell::Content::Value && cell.text) cell.number = ParseCellNumber(*cell.text);
  }
}

void RowDecoder::Fail(const std::string& what) const { throw PackageError("the part " + partName_ + ": " + what); }

std::int32_t RowDecoder::RowNumber(std::optional<std::string_view> r, std::int32_t previous) const {
  if (!r) {
    if (previous >= embedded::model::kRowCount) {
      Fail("row " + std::to_string(previous + 1) + " lies outside the sheet (the last row is 1048576)");
    }
    return previous + 1;
  }
  const auto number = ReadIndex(*r);
  if (!number || *number < 1) Fail("the row number \"" + std::string(*r) + "\" is not valid");
  if (*number > static_cast<std::uint32_t>(embedded::model::kRowCount)) {
    Fail("row " + std::string(*r) + " lies outside the sheet (the last row is 1048576)");
  }
  return static_cast<std::int32_t>(*number);
}

std::int32_t RowDecoder::ElementRowNumber(const pugi::xml_node& element, std::int32_t previous) const {
  return RowNumber(OptionalValue(element.attribute("r")), previous);
}

bool RowDecoder::Readable(const PlainRow& row) {
  rowAttributes_ = RowAttributes{};
  for (const PlainAttribute& attribute : row.attributes) {
    const std::string_view name = attribute.name;
    std::optional<std::string_view>* const into = name == "r"              ? &rowAttributes_.r
                                                  : name == "s"            ? &rowAttributes_.s
                                                  : name == "ht"           ? &rowAttributes_.ht
                                                  : name == "hidden"       ? &rowAttributes_.hidden
                                                  : name == "customFormat" ? &rowAttributes_.customFormat
                                                                           : nullptr;
    if (into != nullptr && !*into) *into = attribute.value;
  }
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

void RowDecoder::DecodePlain(const PlainRow& plain, std::int32_t number, embedded::model::Row& row,
                             std::vector<RowFormula>& formulas) {
  const RowAttributes& attributes = rowAttributes_;
  if (attributes.ht) row.height = AttributeNumber(*attributes.ht);
  row.hidden = IsTrue(attributes.hidden.value_or(""));
  if (IsTrue(attributes.customFormat.value_or(""))) row.format = FormatOf(*PlainFormat(attributes.s.value_or("")));
  row.cells.reserve(row.cells.size() + plain.cells.size());
  for (std::size_t i = 0; i < plain.cells.size(); ++i) {
    const PlainCell& c = plain.cells[i];
    const CellAttributes& taken = cellAttributes_[i];
    const std::int32_t column = CheckedColumn(*taken.r, c.reference, number);
    Cell cell;
    cell.column = static_cast<std::uint16_t>(column);
    cell.format = FormatOf(PlainFormat(taken.s).value_or(0));
    if (c.hasFormula) {
      const PlainAttributes& f = c.formulaAttributes;
      DecodeFormula(f.Value("t"), f.Value("si"), f.Value("ref"), c.formula.value_or(std::string_view()),
                    {number, column}, cell, formulas);
    }
    const std::string_view text = c.text.value_or(std::string_view());
    std::optional<std::string> inlineText;
    if (c.content == PlainCell::Content::InlineText) inlineText = DecodeXstring(text);
    DecodeValue(taken.t, c.content == PlainCell::Content::Value, text, c.number, inlineText, {number, column}, cell);
    row.cells.push_back(cell);
  }
}

void RowDecoder::DecodeElement(const pugi::xml_node& element, std::int32_t number, embedded::model::Row& row,
                               std::vector<RowFormula>& formulas) {
  if (const pugi::xml_attribute height = element.attribute("ht")) row.height = height.as_double();
  row.hidden = IsTrue(element.attribute("hidden"));
  if (IsTrue(element.attribute("customFormat"))) row.format = FormatOf(element.attribute("s").as_uint());
  std::int32_t column = 0;
  for (const pugi::xml_node c : element.children()) {
    if (!IsNamed(c, "c")) continue;
    column = ColumnOf(OptionalValue(c.attribute("r")), number, column);
    row.cells.push_back(DecodeCell(c, {number, column}, formulas));
  }
}

void RowDecoder::FinishRow(embedded::model::Row& row) {
  const auto byColumn = [](const Cell& a, const Cell& b) { return a.column < b.column; };
  if (!std::is_sorted(row.cells.begin(), row.cells.end(), byColumn)) {
    std::stable_sort(row.cells.begin(), row.cells.end(), byColumn);
  }
}

std::int32_t RowDecoder::ColumnOf(std::optional<std::string_view> r, std::int32_t row, std::int32_t previous) const {
  if (!r) {
    if (previous >= embedded::model::kColumnCount) Fail("a cell of row " + std::to_string(row) + " lies past XFD");
    return previous + 1;
  }
  return CheckedColumn(*r, ParseWrittenReference(*r), row);
}

std::int32_t RowDecoder::CheckedColumn(std::string_view r, const std::optional<WrittenReference>& reference,
                                       std::int32_t row) const {
  if (!reference) Fail("the cell reference \"" + std::string(r) + "\" is not valid");
  if (!reference->InSheet()) {
    Fail("the cell " + std::string(r) + " lies outside the sheet (the last cell is XFD1048576)");
  }
  if (reference->row != row) Fail("the cell " + std::string(r) + " is in row " + std::to_string(row));
  return static_cast<std::int32_t>(reference->column);
}

Cell RowDecoder::DecodeCell(const pugi::xml_node& c, CellAddress address, std::vector<RowFormula>& formulas) {
  Cell cell;
  cell.column = static_cast<std::uint16_t>(address.column);
  cell.format = FormatOf(c.attribute("s").as_uint());
  pugi::xml_node value;
  pugi::xml_node inlineString;
  for (const pugi::xml_node child : c.children()) {
    if (IsNamed(child, "v")) {
      value = child;
    } else if (IsNamed(child, "f")) {
      DecodeFormula(child.attribute("t").value(), child.attribute("si").value(), child.attribute("ref").value(),
                    child.text().get(), address, cell, formulas);
    } else if (IsNamed(child, "is")) {
      inlineString = child;
    }
  }
  std::optional<std::string> inlineText;
  if (inlineString) inlineText = PlainTextOf(inlineString);
  const std::string_view text = value.text().get();
  DecodeValue(c.attribute("t").value(), static_cast<bool>(value), text, ParseCellNumber(text), inlineText, address,
              cell);
  return cell;
}

void RowDecoder::DecodeValue(std::string_view type, bool hasValue, std::string_view text,
                             std::optional<double> number, const std::optional<std::string>& inlineText,
                             CellAddress address, Cell& cell) {
  if (type == "inlineStr") {
    if (inlineText) cell.SetText(parts_.workbook->strings.Intern(*inlineText));
  } else if (!hasValue) {
    return;
  } else if (type == "s") {
    DecodeSharedString(text, address, cell);
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

void RowDecoder::DecodeSharedString(std::string_view text, CellAddress address, Cell& cell) {
  const auto index = ReadIndex(text);
  const auto id = index && strings_ != nullptr ? strings_->PoolIdOf(*index) : std::nullopt;
  if (!id) {
    Fail("the cell " + CellReferenceText(address) + " refers to shared string " + std::string(text) +
         ", which the workbook does not have");
  }
  cell.SetText(*id);
}

void RowDecoder::DecodeFormula(std::string_view type, std::string_view sharedIndex, std::string_view ref,
                               std::string_view text, CellAddress address, Cell& cell,
                               std::vector<RowFormula>& formulas) {
  RowFormula formula;
  formula.column = static_cast<std::uint16_t>(address.column);
  formula.text = text;
  if (type == "shared") {
    const auto index = ReadIndex(sharedIndex);
    if (!index) return;
    formula.sharedIndex = *index;
    formula.kind = text.empty() ? RowFormula::Kind::SharedMember : RowFormula::Kind::SharedMaster;
    cell.hasFormula = cell.hasFormula || !text.empty();
    formulas.push_back(formula);
    return;
  }
  if (text.empty()) return;
  if (type == "array") {
    const auto range = ParseRangeReference(ref);
    if (range && range->TopLeft() == address) {
      formula.kind = RowFormula::Kind::Array;
      formula.range = *range;
      formulas.push_back(formula);
      return;
    }
  }
  cell.hasFormula = true;
  formulas.push_back(formula);
}

}  // namespace tabulara::xlsx
