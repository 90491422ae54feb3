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
// such a file runs in a child process whose address space is limited.
namespace tabulara::xlsx {
namespace {

using embedded::model::CellRect;
using embedded::model::Sheet;
using testing::MinimalWorkbookParts;
using testing::ScratchFolder;
using testing::WritePackage;

constexpr rlim_t kAddressSpace = rlim_t{1} << 30;

// Opens and saves the file within kAddressSpace, then ends the process.
[[noreturn]] void OpenAndSaveWithinMemory(const std::filesystem::path& file, const std::filesystem::path& saved) {
  const rlimit limit{kAddressSpace, kAddressSpace};
  setrlimit(RLIMIT_AS, &limit);
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

  ScratchFolder folder_;
};

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
  EXPECT_THROW(embedded::ClearAreas(sheet, {CellRect{1, 1, 5, 5}}), host::HostError);

  embedded::ClearAreas(sheet, {CellRect::WholeSheet()});
  opened->Save(folder_ / "cleared.xlsx");
  auto cleared = WorkbookFile::Open(folder_ / "cleared.xlsx");
  const Sheet& reread = *cleared->workbook()->sheets.front();
  EXPECT_TRUE(reread.grid.arrays.empty());
  EXPECT_EQ(reread.grid.CellCount(), 0u);
}

}  // namespace
}  // namespace tabulara::xlsx
