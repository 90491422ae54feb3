#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/support/sample_workbook.h"
#include "cli/support/tabulara_run.h"
#include "cli/verbs.h"
#include "xlsx/package/package.h"

namespace tabulara::testing {
namespace {

using ::testing::ContainsRegex;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

long Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

// A text that a regular expression matches as it is.
std::string EscapedForRegex(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

class UnreadableFileTest : public ::testing::Test {
 protected:
  // One line on standard error, naming the file; nothing on standard output.
  void ExpectOneLineFailure(const ProgramRun& run, const std::string& file) {
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_THAT(run.err, StartsWith("tabulara: error: "));
    EXPECT_THAT(run.err, HasSubstr(file));
  }
  CliSandbox sandbox;
};

TEST_F(UnreadableFileTest, MissingFile) {
  for (const char* verb : {"info", "shell"}) {
    SCOPED_TRACE(verb);
    ExpectOneLineFailure(sandbox.Run({verb, "missing.xlsx"}), "missing.xlsx");
  }
}

TEST_F(UnreadableFileTest, LegacyBinaryWorkbookIsNamedAsSuch) {
  sandbox.SetEnvironment("PATH", (sandbox.path() / "no-programs").string());
  // The signature of an OLE2 compound file, as every .xls starts, and no
  // directory after it.
  sandbox.Write("old.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0'));
  const ProgramRun run = sandbox.Run({"info", "old.xls"});
  ExpectOneLineFailure(run, "old.xls");
  EXPECT_THAT(run.err, HasSubstr("damaged OLE2 compound file"));

  const auto real = CorpusFile("legacy_biff8_hidden_sheets.xls");
  if (real.empty()) return;
  const ProgramRun corpusRun = sandbox.Run({"info", sandbox.Copy(real, "hidden.xls").string()});
  ExpectOneLineFailure(corpusRun, "hidden.xls");
  EXPECT_THAT(corpusRun.err, HasSubstr("legacy binary workbook (Excel 97-2003 format), which cannot be read"));
}

TEST_F(UnreadableFileTest, ZipBombIsRefusedUnlessTheLimitIsRaised) {
  const auto book = sandbox.path() / "bomb.xlsx";
  WriteSampleWorkbook(book);
  {
    xlsx::Package package = xlsx::Package::Open(book);
    std::string workbook = package.Read("xl/workbook.xml");
    workbook.insert(workbook.rfind("</"), std::string(std::size_t{8} << 20, ' '));
    package.Write("xl/workbook.xml", std::move(workbook));
    package.Save(book);
  }
  const ProgramRun refused = sandbox.Run({"info", book.string()});
  ExpectOneLineFailure(refused, "bomb.xlsx");
  EXPECT_THAT(refused.err, HasSubstr("part xl/workbook.xml inflates "));
  EXPECT_THAT(refused.err, EndsWith(" times its compressed size; refused as a possible zip bomb (raise the limit with "
                                    "--max-inflate-ratio)\n"));
  EXPECT_EQ(sandbox.Run({"info", "--max-part-size", "1MB", "--max-inflate-ratio", "100000", book.string()}).exitStatus,
            2);
  const ProgramRun raised = sandbox.Run({"info", "--max-inflate-ratio", "100000", book.string()});
  EXPECT_EQ(raised.exitStatus, 0) << raised.err;
  EXPECT_THAT(raised.out, HasSubstr("Data"));
}

TEST_F(UnreadableFileTest, TruncatedAndForeignFiles) {
  const auto book = sandbox.path() / "book.xlsx";
  WriteSampleWorkbook(book);
  const std::string bytes = ReadFile(book);
  sandbox.Write("truncated.xlsx", bytes.substr(0, bytes.size() / 2));
  ExpectOneLineFailure(sandbox.Run({"info", "truncated.xlsx"}), "truncated.xlsx");

  sandbox.Write("notes.xlsx", "plain text, no package\n");
  ExpectOneLineFailure(sandbox.Run({"info", "notes.xlsx"}), "notes.xlsx");
}

TEST_F(UnreadableFileTest, AMissingOutputFolderIsNamedAndTheSessionGoesOn) {
  const auto book = sandbox.path() / "book.xlsx";
  WriteSampleWorkbook(book);
  const ProgramRun run = sandbox.Run({"shell", book.string()}, "save no-such-folder/out.xlsx\ninfo\n");
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.err, "tabulara: error: no-such-folder/out.xlsx: the folder no-such-folder does not exist\n");
  EXPECT_THAT(run.out, EndsWith("active sheet: Data\n"));

  const ProgramRun verb = sandbox.Run({"sort-sheets", "-o", "out/x.xlsx", book.string()});
  EXPECT_EQ(verb.exitStatus, 2);
  EXPECT_EQ(verb.err, "tabulara: error: out/x.xlsx: the folder out does not exist\n");
}

class UsageTest : public ::testing::Test {
 protected:
  void ExpectUsageError(const ProgramRun& run, const std::string& message) {
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, StartsWith("tabulara: error: " + message));
    EXPECT_THAT(run.err, HasSubstr("\nUsage: tabulara [OPTIONS] VERB [WORKBOOK]\n"));
  }
  CliSandbox sandbox;
};

TEST_F(UsageTest, UnknownVerb) {
  ExpectUsageError(sandbox.Run({"frobnicate", "book.xlsx"}), "unknown verb \"frobnicate\"\n");
}

TEST_F(UsageTest, MissingVerbWorkbookAndConflictingAnswers) {
  ExpectUsageError(sandbox.Run({}), "");
  ExpectUsageError(sandbox.Run({"info"}), "");
  ExpectUsageError(sandbox.Run({"info", "--yes", "--no", "book.xlsx"}), "");
  ExpectUsageError(sandbox.Run({"info", "--output"}), "");
  ExpectUsageError(sandbox.Run({"menu", "-o", "menu.xlsx"}), "--output needs a WORKBOOK\n");
}

TEST_F(UsageTest, HelpListsEveryVerbAndShellCommandOnALineOfItsOwn) {
  const ProgramRun run = sandbox.Run({"--help"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(run.out, HasSubstr("\nUsage: tabulara [OPTIONS] VERB [WORKBOOK]\n"));
  for (const cli::Verb& verb : cli::Verbs()) {
    EXPECT_THAT(run.out, ContainsRegex("\n  " + std::string(verb.name) + " +" + EscapedForRegex(verb.help) + "\n"));
  }
  for (const char* command : {"open FILE", "save [FILE]", "sheet NAME", "select RANGE", "cell REF",
                              "click CAPTION|PATH", "double-click REF", "right-click REF", "answer yes|no", "menu",
                              "get REF", "info", "quit"}) {
    EXPECT_THAT(run.out, ContainsRegex("\n  " + EscapedForRegex(command) + " +[a-z][^\n]+\n"));
  }
  for (const char* text : {"--output FILE", "--sheet NAME", "--select RANGE", "--cell REF", "--yes", "--no",
                           "--version", "Exit status", "--max-inflate-ratio N", "--max-part-size SIZE",
                           "--max-workbook-size SIZE"}) {
    EXPECT_THAT(run.out, HasSubstr(text));
  }
}

TEST_F(UsageTest, Version) {
  const ProgramRun run = sandbox.Run({"--version"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "tabulara " + std::to_string(TABULARA_VERSION_MAJOR) + "." +
                         std::to_string(TABULARA_VERSION_MINOR) + "." + std::to_string(TABULARA_VERSION_REVISION) +
                         "\n");
}

}  // namespace
}  // namespace tabulara::testing
