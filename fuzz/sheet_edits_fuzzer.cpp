// Reads arbitrary bytes as the rows of a worksheet, changes cells as the
// bytes after the first NUL say, and saves, several times over one open
// workbook: after every save, the file read afresh must hold what the model
// holds. The input is `rows NUL edits`; each edit is four bytes (what, row,
// column, argument), and an edit of kind 0 saves.
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "embedded/model/workbook.h"
#include "xlsx/package/package.h"
#include "xlsx/package/package_error.h"
#include "xlsx/structure/workbook_io.h"

namespace {

using tabulara::embedded::model::Cell;
using tabulara::embedded::model::CellFormat;
using tabulara::embedded::model::Grid;
using tabulara::embedded::model::Row;
using tabulara::embedded::model::ValueKind;
using tabulara::embedded::model::Workbook;

std::filesystem::path ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tabulara-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) abort();
  return pattern;
}

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";

// A workbook of one sheet holding `rows`, with shared strings and styles
// (General, a date, a bold font); dates from 1904 when `date1904`.
void WriteWorkbook(const std::filesystem::path& file, std::string_view rows, bool date1904) {
  auto package = tabulara::xlsx::Package::Create();
  const std::string type = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
  package.Write("[Content_Types].xml",
                "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + type + "sheet.main+xml\"/>"
                "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" + type + "worksheet+xml\"/>"
                "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + type + "styles+xml\"/>"
                "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + type + "sharedStrings+xml\"/></Types>");
  package.Write("_rels/.rels", std::string("<Relationships xmlns=\"") + kPackageRelationships +
                                   "\"><Relationship Id=\"rId1\" Type=\"" + kRelationships +
                                   "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  package.Write("xl/workbook.xml", std::string("<workbook xmlns=\"") + kMain + "\" xmlns:r=\"" + kRelationships +
                                       "\">" + (date1904 ? "<workbookPr date1904=\"1\"/>" : "") +
                                       "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
  package.Write("xl/_rels/workbook.xml.rels",
                std::string("<Relationships xmlns=\"") + kPackageRelationships + "\">" +
                    "<Relationship Id=\"rId1\" Type=\"" + kRelationships + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>" +
                    "<Relationship Id=\"rId2\" Type=\"" + kRelationships + "/styles\" Target=\"styles.xml\"/>" +
                    "<Relationship Id=\"rId3\" Type=\"" + kRelationships +
                    "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>");
  package.Write("xl/styles.xml", std::string("<styleSheet xmlns=\"") + kMain +
                                     "\"><fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
                                     "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
                                     "<cellXfs count=\"3\"><xf fontId=\"0\"/><xf fontId=\"0\" numFmtId=\"14\"/>"
                                     "<xf fontId=\"1\"/></cellXfs></styleSheet>");
  package.Write("xl/sharedStrings.xml", std::string("<sst xmlns=\"") + kMain +
                                            "\" count=\"2\" uniqueCount=\"2\"><si><t>a</t></si><si><t>b</t></si></sst>");
  package.Write("xl/worksheets/sheet1.xml", std::string("<worksheet xmlns=\"") + kMain + "\"><sheetData>" +
                                                std::string(rows) + "</sheetData></worksheet>");
  package.Save(file);
}

// The worksheet part last saved, shown with a difference.
std::string savedSheet;

[[noreturn]] void Lost(const std::string& what) {
  std::fprintf(stderr, "the saved file differs from the model: %s\n%s\n", what.c_str(), savedSheet.c_str());
  abort();
}

bool SameFormat(const Workbook& a, std::uint32_t x, const Workbook& b, std::uint32_t y) {
  CellFormat one = a.formats.Get(x);
  CellFormat other = b.formats.Get(y);
  one.fileFormat = other.fileFormat = -1;
  return one == other;
}

// Exact, but for a 1904 date: written 1462 days less and read back plus 1462.
bool SameCellValue(const Workbook& a, const Cell& x, const Workbook& b, const Cell& y, bool date1904) {
  if (x.kind != y.kind) return false;
  switch (x.kind) {
    case ValueKind::Empty:
      return true;
    case ValueKind::Number:
      if (x.number == y.number || (std::isnan(x.number) && std::isnan(y.number))) return true;
      return date1904 && std::abs(x.number - y.number) <= 1e-9 * std::max(1.0, std::abs(x.number));
    case ValueKind::Text:
      return a.strings.Text(x.text) == b.strings.Text(y.text);
    case ValueKind::Logical:
      return x.logical == y.logical;
    case ValueKind::Error:
      return x.error == y.error;
  }
  return false;
}

// Every row and cell of the model's sheet as the file read afresh holds it
// (a row that holds nothing is not written).
void ExpectSame(const Workbook& model, const Workbook& file, bool date1904) {
  const Grid& a = model.sheets.front()->grid();
  const Grid& b = file.sheets.front()->grid();
  auto x = a.rows.begin();
  auto y = b.rows.begin();
  for (;; ++x, ++y) {
    while (x != a.rows.end() && x->second.HoldsNothing()) ++x;
    if (x == a.rows.end() || y == b.rows.end()) {
      if (x != a.rows.end() || y != b.rows.end()) Lost("the number of rows");
      return;
    }
    const std::string row = "row " + std::to_string(x->first);
    const Row& r = x->second;
    const Row& s = y->second;
    if (x->first != y->first) Lost(row + " is not in the file");
    if (r.height != s.height || r.hidden != s.hidden || r.format.has_value() != s.format.has_value() ||
        (r.format && !SameFormat(model, *r.format, file, *s.format))) {
      Lost(row + "'s settings");
    }
    if (r.cells.size() != s.cells.size()) Lost(row + "'s cells");
    for (std::size_t i = 0; i < r.cells.size(); ++i) {
      const Cell& c = r.cells[i];
      const Cell& d = s.cells[i];
      const std::string cell = row + " column " + std::to_string(c.column);
      if (c.column != d.column) Lost(cell + " is not in the file");
      if (!SameFormat(model, c.format, file, d.format)) Lost(cell + "'s format");
      if (!SameCellValue(model, c, file, d, date1904)) Lost(cell + "'s value");
      if (c.hasFormula != d.hasFormula) Lost(cell + "'s formula");
      const std::string* f = a.Formula({x->first, c.column});
      const std::string* g = b.Formula({x->first, c.column});
      if (c.hasFormula && (f == nullptr) != (g == nullptr)) Lost(cell + "'s formula text");
      if (c.hasFormula && f != nullptr && *f != *g) Lost(cell + "'s formula text: " + *f + " against " + *g);
    }
  }
}

// One edit of the open workbook's sheet.
void Edit(Workbook& book, std::uint8_t what, std::uint8_t rowByte, std::uint8_t columnByte, std::uint8_t argument) {
  Grid& grid = book.sheets.front()->grid();
  const tabulara::embedded::model::CellAddress at{1 + rowByte % 12, 1 + columnByte % 6};
  switch (what % 10) {
    case 1:
      grid.Obtain(at).SetNumber(argument % 2 == 0 ? argument : argument / 7.0);
      break;
    case 2:
      grid.Obtain(at).SetText(book.strings.Intern(argument % 3 == 0 ? "a" : " t" + std::to_string(argument)));
      break;
    case 3:
      grid.SetFormula(at, "=A1+" + std::to_string(argument));
      break;
    case 4:
      grid.RemoveFormula(at);
      break;
    case 5:
      grid.Erase(at);
      break;
    case 6: {
      // A format of the file's (0 to 2) or one derived from one of them.
      const std::uint32_t base = argument % 3;
      CellFormat format = book.formats.Get(base < book.formats.size() ? base : 0);
      if (argument & 4) format.font.italic = !format.font.italic;
      if (argument & 8) format.numberFormat = format.numberFormat == "General" ? "yyyy-mm-dd" : "General";
      grid.Obtain(at).format = book.formats.Intern(format);
      break;
    }
    case 7:
      grid.Obtain(at).SetLogical(argument % 2 == 0);
      break;
    case 8:
      grid.Obtain(at).SetEmpty();
      break;
    case 9: {
      Row& row = grid.rows[at.row];
      if (argument % 5 == 0) row.height = argument / 4.0;
      if (argument % 5 == 1) row.hidden = !row.hidden;
      if (argument % 5 == 2) row.height.reset();
      if (argument % 5 == 3) row.format = argument % 3 < book.formats.size() ? argument % 3 : 0;
      if (argument % 5 == 4) row.format.reset();
      break;
    }
    default:
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder = ScratchFolder();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\0');
  const std::string_view rows = input.substr(0, cut);
  const std::string_view edits = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  const auto file = folder / "book.xlsx";
  const bool date1904 = !edits.empty() && (edits.front() & 0x80) != 0;
  WriteWorkbook(file, rows, date1904);
  std::unique_ptr<tabulara::xlsx::WorkbookParts> parts;
  try {
    parts = tabulara::xlsx::ReadWorkbookParts(file);
    parts->workbook->sheets.front()->LoadContent();
  } catch (const tabulara::xlsx::PackageError&) {
    return 0;
  }
  Workbook& book = *parts->workbook;
  const auto save = [&] {
    tabulara::xlsx::WriteWorkbookParts(*parts);
    parts->package.Save(folder / "saved.xlsx");
    savedSheet = parts->package.Read("xl/worksheets/sheet1.xml");
    const auto saved = tabulara::xlsx::ReadWorkbookParts(folder / "saved.xlsx");
    saved->workbook->sheets.front()->LoadContent();
    ExpectSame(book, *saved->workbook, date1904);
  };
  for (std::size_t i = 0; i + 4 <= edits.size(); i += 4) {
    if (edits[i] % 10 == 0) {
      save();
    } else {
      Edit(book, static_cast<std::uint8_t>(edits[i]), static_cast<std::uint8_t>(edits[i + 1]),
           static_cast<std::uint8_t>(edits[i + 2]), static_cast<std::uint8_t>(edits[i + 3]));
    }
  }
  save();
  return 0;
}
