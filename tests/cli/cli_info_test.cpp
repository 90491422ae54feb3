#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/support/sample_workbook.h"
#include "cli/support/tabulara_run.h"

namespace tabulara::testing {
namespace {

using ::testing::EndsWith;

class InfoTest : public ::testing::Test {
 protected:
  // Runs `tabulara info` on a corpus file; skips when the corpus is absent.
  ProgramRun InfoOnCorpus(const std::string& name) {
    const auto file = CorpusFile(name);
    if (file.empty()) return {};
    return sandbox.Run({"info", sandbox.Copy(file, name).string()});
  }
  CliSandbox sandbox;
};

#define SKIP_WITHOUT_CORPUS(name) \
  if (CorpusFile(name).empty()) GTEST_SKIP() << "the corpus (shared/corpus beside the source tree) is absent"

TEST_F(InfoTest, ListsSheetsInTabOrderWithKindAndVisibilityThenTheActiveSheet) {
  SKIP_WITHOUT_CORPUS("excel_visible_hidden_veryhidden_chartsheet.xlsx");
  const ProgramRun run = InfoOnCorpus("excel_visible_hidden_veryhidden_chartsheet.xlsx");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out,
            "Visible\tworksheet\tvisible\n"
            "Hidden\tworksheet\thidden\n"
            "VeryHidden\tworksheet\tvery hidden\n"
            "Chart\tchart\tvisible\n"
            "active sheet: Visible\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(InfoTest, KeepsJapaneseSheetNames) {
  SKIP_WITHOUT_CORPUS("excel_japanese_sheetnames_defined_names.xlsx");
  const ProgramRun run = InfoOnCorpus("excel_japanese_sheetnames_defined_names.xlsx");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out,
            "NoContainsJapanese\tworksheet\tvisible\n"
            "日本語のみ\tworksheet\tvisible\n"
            "sheet日本語\tworksheet\tvisible\n"
            "日本語sheet\tworksheet\tvisible\n"
            "sheet日本語sheet\tworksheet\tvisible\n"
            "active sheet: NoContainsJapanese\n");
}

TEST_F(InfoTest, KeepsApostrophesAndMarkupCharactersInSheetNames) {
  SKIP_WITHOUT_CORPUS("excel_apostrophe_sheetnames_charts.xlsx");
  SKIP_WITHOUT_CORPUS("excel_sheetnames_need_quotes.xlsx");
  ProgramRun run = InfoOnCorpus("excel_apostrophe_sheetnames_charts.xlsx");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out,
            "Sheet'1\tworksheet\tvisible\n"
            "S'heet'2\tworksheet\tvisible\n"
            "Sheet(3\tworksheet\tvisible\n"
            "Sheet)4\tworksheet\tvisible\n"
            "Sheet+5\tworksheet\tvisible\n"
            "Sheet,6\tworksheet\tvisible\n"
            "Sheet-7\tworksheet\tvisible\n"
            "Sheet;8\tworksheet\tvisible\n"
            "active sheet: Sheet'1\n");

  run = InfoOnCorpus("excel_sheetnames_need_quotes.xlsx");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out,
            "S&P\tworksheet\tvisible\n"
            "Sam's Club\tworksheet\tvisible\n"
            "\"The Sheet\"\tworksheet\tvisible\n"
            "A<B\tworksheet\tvisible\n"
            "C>D\tworksheet\tvisible\n"
            "active sheet: C>D\n");
}

TEST_F(InfoTest, SheetOptionMakesASheetActiveAndTheOutputFileKeepsIt) {
  const auto book = sandbox.path() / "book.xlsx";
  WriteSampleWorkbook(book);
  const std::string before = ReadFile(book);

  const ProgramRun run = sandbox.Run({"info", "--sheet", "notes", "-o", "copy.xlsx", book.string()});

  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out,
            "Data\tworksheet\tvisible\n"
            "Notes\tworksheet\tvisible\n"
            "Archive\tworksheet\thidden\n"
            "active sheet: Notes\n");
  // Nothing changed: the workbook stays as it was, the output file is written all the same.
  EXPECT_EQ(ReadFile(book), before);
  const ProgramRun copy = sandbox.Run({"info", "copy.xlsx"});
  EXPECT_EQ(copy.exitStatus, 0) << copy.err;
  EXPECT_EQ(copy.out, run.out);
}

TEST_F(InfoTest, SelectAndCellTakeReferencesAsTheGoToBoxDoes) {
  const auto book = sandbox.path() / "book.xlsx";
  WriteSampleWorkbook(book);
  struct Case {
    std::vector<std::string> options;
    const char* activeSheet;
  };
  for (const Case& c : std::initializer_list<Case>{
           {{"--cell", "Notes!B2"}, "Notes"},
           {{"--sheet", "Notes", "--select", "'Data'!A1:B2,D4", "--cell", "D4"}, "Data"},
           {{"--sheet", "Notes", "--select", "A1:B2,D4"}, "Notes"},
       }) {
    std::vector<std::string> arguments = {"info"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back(book.string());
    const ProgramRun run = sandbox.Run(arguments);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_THAT(run.out, EndsWith(std::string("active sheet: ") + c.activeSheet + "\n"));
  }

  const ProgramRun run = sandbox.Run({"info", "--select", "Data!A1,Notes!B2", book.string()});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "tabulara: error: the areas lie on different sheets: \"Data!A1,Notes!B2\"\n");
}

TEST_F(InfoTest, SheetOptionRefusesUnknownAndHiddenSheets) {
  const auto book = sandbox.path() / "book.xlsx";
  WriteSampleWorkbook(book);

  ProgramRun run = sandbox.Run({"info", "--sheet", "Missing", book.string()});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "tabulara: error: no sheet named Missing\n");

  run = sandbox.Run({"info", "--sheet", "Archive", book.string()});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.err, "tabulara: error: a hidden sheet cannot be active\n");
}

TEST_F(InfoTest, LoadErrorOfTheAddinIsShownAndGivesStatusOne) {
  const auto book = sandbox.path() / "book.xlsx";
  WriteSampleWorkbook(book);
  // A visibility text with a character that is no digit fails the start-up.
  sandbox.Write("config/Quorvel.Gridwright/settings.ini", "[GeneralSetting]\nVisibility=1x1\n");

  const ProgramRun run = sandbox.Run({"info", book.string()});

  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "Tabulara: Load error\nType mismatch\n");
  EXPECT_EQ(run.out.substr(0, 5), "Data\t");
}

}  // namespace
}  // namespace tabulara::testing
