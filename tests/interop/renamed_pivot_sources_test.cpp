#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/support/tabulara_run.h"
#include "xlsx/package/package.h"

namespace tabulara::testing {
namespace {

struct PivotSource {
  std::string corpusFile;
  std::string part;
  std::string expected;
};

// After Upper Case Sheets, the pivot caches read their data from the renamed
// sheets, and a pivot chart names its pivot table's renamed sheet; a source
// given by a table's name stays.
TEST(RenamedPivotSourcesTest, PivotCachesAndPivotChartsFollowRenamedSheets) {
  const std::vector<PivotSource> cases{
      {"excel_pivot_table.xlsx", "xl/pivotCache/pivotCacheDefinition1.xml",
       "<worksheetSource ref=\"A1:C4\" sheet=\"TABELLE1\"/>"},
      {"excel_pivot_table.xlsx", "xl/pivotCache/pivotCacheDefinition2.xml", "<worksheetSource name=\"Tabelle1\"/>"},
      {"excel_chartsheet_pivot.xlsx", "xl/pivotCache/pivotCacheDefinition3.xml",
       "<worksheetSource ref=\"A1:D13\" sheet=\"SHEET1\"/>"},
      {"excel_chartsheet_pivot.xlsx", "xl/charts/chart1.xml", "<c:name>[CVT23.tmp]SHEET2!PivotTable2</c:name>"},
  };
  for (const PivotSource& c : cases) {
    SCOPED_TRACE(c.corpusFile + " " + c.part);
    const auto corpusFile = CorpusFile(c.corpusFile);
    if (corpusFile.empty()) GTEST_SKIP() << "the corpus is not beside the source tree";
    CliSandbox sandbox;
    sandbox.Copy(corpusFile, "book.xlsx");
    const ProgramRun run = sandbox.Run({"upper-case-sheets", "book.xlsx", "-o", "upper.xlsx"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string part = xlsx::Package::Open(sandbox.path() / "upper.xlsx").Read(c.part);
    EXPECT_NE(part.find(c.expected), std::string::npos) << part;
  }
}

}  // namespace
}  // namespace tabulara::testing
