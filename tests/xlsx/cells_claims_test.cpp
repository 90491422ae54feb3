#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>

#include "embedded/rules/range_edits.h"
#include "embedded/rules/range_queries.h"
#include "host/constants.h"
#include "host/host_error.h"
#include "xlsx/cells_files.h"
#include "xlsx/structure_files.h"
#include "xlsx/workbook_file.h"

// A file's claims about ranges (an array formula over the whole sheet,
// columns 1 to 16384) cost what the file's bytes cost: reading and saving
// such a file runs in a child process whose address space and processor
// time are limited.
namespace tabulara::xlsx {
namespace {

using embedded::model::CellRect;
using embedded::model::Sheet;
using testing::MinimalWorkbookParts;
using testing::ScratchFolder;
using testing::WritePackage;

constexpr rlim_t kAddressSpace = rlim_t{1} << 30;

// Far beyond what any case takes; a cost that grows with what the file
// claims runs into it.
constexpr rlim_t kProcessorSeconds = 20;

// Opens and saves the file within kAddressSpace and kProcessorSeconds, then
// ends the process.
[[noreturn]] void OpenAndSaveWithinMemory(const std::filesystem::path& file, const std::filesystem::path& saved) {
  const rlimit memory{kAddressSpace, kAddressSpace};
  setrlimit(RLIMIT_AS, &memory);
  const rlimit processor{kProcessorSeconds, kProcessorSeconds};
  setrlimit(RLIMIT_CPU, &processor);
  WorkbookFile::Open(file)->Save(saved);
  std::exit(0);
}

void ExpectOpensAndSavesWithinMemory(const std::filesystem::path& file, const std::filesystem::path& saved) {
  EXPECT_EXIT(OpenAndSaveWithinMemory(file, saved), ::testing::ExitedWithCode(0), "");
}

std::string Worksheet(const std::string& body) {
  return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + body + "</worksheet>";
}

class CellsClaims : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& name, const std::string& worksheet) {
    auto parts = MinimalWorkbookParts();
    parts["xl/worksheets/sheet1.xml"] = worksheet;
    const auto file = folder_ / name;
    WritePackage(file, parts);
    return file;
  }

  // A workbook of `count` sheets, each the worksheet given.
  std::filesystem::path WriteSheets(const std::string& name, int count, const std::string& worksheet) {
    const std::string relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    auto parts = MinimalWorkbookParts();
    std::string types = parts["[Content_Types].xml"];
    std::string sheets;
    std::string links;
    for (int i = 1; i <= count; ++i) {
      const std::string number = std::to_string(i);
      types.insert(types.rfind("</Types>"), "<Override PartName=\"/xl/worksheets/sheet" + number +
                                                ".xml\" ContentType=\"application/vnd.openxmlformats-"
                                                "officedocument.spreadsheetml.worksheet+xml\"/>");
      sheets += "<sheet name=\"S" + number + "\" sheetId=\"" + number + "\" r:id=\"rId" + number + "\"/>";
      links += "<Relationship Id=\"rId" + number + "\" Type=\"" + relationships +
               "/worksheet\" Target=\"worksheets/sheet" + number + ".xml\"/>";
      parts["xl/worksheets/sheet" + number + ".xml"] = worksheet;
    }
    parts["[Content_Types].xml"] = types;
    parts["xl/workbook.xml"] = "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                               "xmlns:r=\"" + relationships + "\"><sheets>" + sheets + "</sheets></workbook>";
    parts["xl/_rels/workbook.xml.rels"] =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" + links +
        "</Relationships>";
    const auto file = folder_ / name;
    WritePackage(file, parts);
    return file;
  }

  ScratchFolder folder_;
};

TEST_F(CellsClaims, ColumnRangesCostTheirRecords) {
  std::string records;
  for (int i = 0; i < 20000; ++i) records += R"(<col min="1" max="16384" width=")" + std::to_string(i % 7 + 2) + R"("/>)";
  const auto many = Write("records.xlsx", Worksheet("<cols>" + records + "</cols><sheetData/>"));
  const auto everywhere = WriteSheets(
      "sheets.xlsx", 1000, Worksheet(R"(<cols><col min="1" max="16384" width="3" customWidth="1"/></cols><sheetData/>)"));
  for (const auto& file : {many, everywhere}) {
    SCOPED_TRACE(file.filename());
    ExpectOpensAndSavesWithinMemory(file, folder_ / "saved.xlsx");
  }

  auto opened = WorkbookFile::Open(many);
  embedded::model::Grid& grid = opened->workbook()->sheets.front()->grid;
  ASSERT_EQ(std::distance(grid.columns.begin(), grid.columns.end()), 1);
  // The last record, i = 19999, says 2.
  EXPECT_EQ(grid.columns.Find(16384)->width, 2);
  grid.columns.Change(3, 4, {}, [](embedded::model::Column& column) { column.hidden = true; });
  opened->Save(folder_ / "changed.xlsx");
  const std::string written = testing::PartsOf(folder_ / "changed.xlsx").at("xl/worksheets/sheet1.xml");
  EXPECT_THAT(written, ::testing::HasSubstr(R"(<cols><col min="1" max="2" width="2"/><col min="3" max="4" )"
                                            R"(width="2" hidden="1"/><col min="5" max="16384" width="2"/></cols>)"));
}

TEST_F(CellsClaims, AnArrayOverTheWholeSheetIsOneRange) {
  const std::string sheetData = R"(<sheetData><row r="1"><c r="A1"><f t="array" ref="A1:XFD1048576">7</f><v>7</v></c>)"
                                R"(<c r="B1"><v>7</v></c></row></sheetData>)";
  const auto file = Write("array.xlsx", Worksheet(R"(<dimension ref="A1:XFD1048576"/>)" + sheetData));
  ASSERT_NO_FATAL_FAILURE(ExpectOpensAndSavesWithinMemory(file, folder_ / "untouched.xlsx"));
  EXPECT_THAT(testing::PartsOf(folder_ / "untouched.xlsx").at("xl/worksheets/sheet1.xml"),
              ::testing::HasSubstr(sheetData));

  auto opened = WorkbookFile::Open(file);
  Sheet& sheet = *opened->workbook()->sheets.front();
  EXPECT_EQ(sheet.grid.arrays, std::vector<CellRect>{CellRect::WholeSheet()});
  EXPECT_EQ(sheet.grid.CellCount(), 2u);
  EXPECT_EQ(cells_testing::FormulaAt(sheet, "XFD1048576"), "=7");
  EXPECT_EQ(cells_testing::ValueAt(*opened->workbook(), sheet, "B1"), host::Variant(7.0));
  const embedded::model::Areas far{{9, 9, 10, 10}};
  EXPECT_TRUE(embedded::AllInArrays(sheet, far));
  EXPECT_TRUE(embedded::AllHoldFormulas(sheet, far));
  // The cells without a value show 0: found as numbers, not as texts.
  const embedded::model::Areas found = embedded::SpecialCells(sheet, {CellRect{1, 1, 3, 3}}, host::xlCellTypeFormulas,
                                                              host::xlNumbers);
  std::int64_t cells = 0;
  for (const CellRect& area : found) cells += area.CellCount();
  EXPECT_EQ(cells, 9);
  EXPECT_THROW(embedded::SpecialCells(sheet, {CellRect{1, 1, 3, 3}}, host::xlCellTypeFormulas, host::xlTextValues),
               host::HostError);
  EXPECT_THROW(embedded::ClearAreas(*opened->workbook(), sheet, {CellRect{1, 1, 5, 5}}), host::HostError);

  embedded::ClearAreas(*opened->workbook(), sheet, {CellRect::WholeSheet()});
  opened->Save(folder_ / "cleared.xlsx");
  auto cleared = WorkbookFile::Open(folder_ / "cleared.xlsx");
  const Sheet& reread = *cleared->workbook()->sheets.front();
  EXPECT_TRUE(reread.grid.arrays.empty());
  EXPECT_EQ(reread.grid.CellCount(), 0u);
}

}  // namespace
}  // namespace tabulara::xlsx
