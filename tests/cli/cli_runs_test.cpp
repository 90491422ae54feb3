#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <optional>
#include <set>
#include <tuple>

#include "cli/shell_commands.h"
#include "cli/support/tabulara_run.h"
#include "cli/verbs.h"
#include "embedded/embedded_host.h"
#include "xlsx/package/package.h"
#include "xlsx/workbook_file.h"

namespace tabulara::testing {
namespace {

using ::testing::AllOfArray;
using ::testing::HasSubstr;
using ::testing::Matcher;
using ::testing::MatchesRegex;

const std::string kUsage = "Usage: tabulara [OPTIONS] VERB [WORKBOOK]\n";
const std::string kMissing = "tabulara: error: missing.xlsx: cannot read the file (No such file or directory)\n";

std::string UsageError(const std::string& message) {
  return "tabulara: error: " + message + "\n" + kUsage +
         "Run 'tabulara --help' for the verbs, options and shell commands.\n";
}

// What `info` prints of these sheets, "Archive" hidden.
std::string Info(const std::vector<std::string>& sheets, const std::string& active) {
  std::string info;
  for (const std::string& sheet : sheets) {
    info += sheet + "\tworksheet\t" + (sheet == "Archive" ? "hidden\n" : "visible\n");
  }
  return info + "active sheet: " + active + "\n";
}
std::string SampleInfo(const std::string& active) { return Info({"Data", "Notes", "Archive"}, active); }

std::string LargeTrimAnswered(const std::string& answer) {
  return "Tabulara: The region you selected is more than 10000 cells, it will cost a bit time, \n\n are you sure you "
         "do it?\n\u2192 " + answer + "\n";
}

// A sheet name that would switch a terminal to line drawing and ring its
// bell, and how the program shows it; beside it a very hidden sheet.
const std::string kHostileName = "Data\x1B(0\x07";
const std::string kShownName = "Data\\x1b(0\\x07";

void WriteHostileBook(const CliSandbox& sandbox) {
  embedded::EmbeddedHost host;
  auto& workbook = host.NewWorkbook({kHostileName, "Secret"}, "book.xlsx");
  host.Sheet(workbook, "Secret").visibility = host::xlSheetVeryHidden;
  host.SetFormula(host.Sheet(workbook, kHostileName), "A3", "=FACT(1)", host::Variant());
  xlsx::WorkbookFile::Create(host.model().workbooks.back())->Save(sandbox.path() / "book.xlsx");
}

// "book.xlsx": Data A1 42, A3 =A1*2 as a file from a tool that calculates
// nothing leaves it, without a value.
void WriteUncalculatedBook(const CliSandbox& sandbox) {
  embedded::EmbeddedHost host;
  auto& data = host.Sheet(host.NewWorkbook({"Data"}, "book.xlsx"), "Data");
  host.SetValue(data, "A1", 42);
  host.SetFormula(data, "A3", "=A1*2", host::Variant());
  xlsx::WorkbookFile::Create(host.model().workbooks.back())->Save(sandbox.path() / "book.xlsx");
}

// "bomb.xlsx": the sample workbook with a part that inflates 8 MB of blanks.
void WriteZipBomb(const CliSandbox& sandbox) {
  const auto book = sandbox.WriteSample("bomb.xlsx");
  xlsx::Package package = xlsx::Package::Open(book);
  std::string workbook = package.Read("xl/workbook.xml");
  workbook.insert(workbook.rfind("</"), std::string(std::size_t{8} << 20, ' '));
  package.Write("xl/workbook.xml", std::move(workbook));
  package.Save(book);
}

// "book.pipe": a named pipe that the sample workbook is written to once.
void FeedNamedPipe(const CliSandbox& sandbox) {
  const auto pipe = sandbox.path() / "book.pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  RunShellCommand("(cat " + ShellQuoted((sandbox.path() / "book.xlsx").string()) + " > " + ShellQuoted(pipe.string()) +
                  " &)");
}

// The sample workbook with a comment on Data!B2, a chart sheet "Chart"
// and "Notes" protected.
void WriteCommentBook(const CliSandbox& sandbox) {
  embedded::EmbeddedHost host;
  const auto file = xlsx::WorkbookFile::Open(sandbox.path() / "book.xlsx");
  auto& workbook = host.Open(file->workbook());
  host.AddComment(host.Sheet(workbook, "Data"), "B2", "check this");
  host.AddSheet(workbook, "Chart", embedded::model::SheetKind::Chart);
  host.ProtectSheet(host.Sheet(workbook, "Notes"));
  file->Save(sandbox.path() / "book.xlsx");
}

// Settings in the run's XDG_CONFIG_HOME.
std::function<void(const CliSandbox&)> WithSettings(const std::string& settings) {
  return [settings](const CliSandbox& sandbox) {
    WriteCommentBook(sandbox);
    sandbox.Write("config/Quorvel.Gridwright/settings.ini", settings);
  };
}
const std::string kCommentBookInfo =
    "Data\tworksheet\tvisible\nNotes\tworksheet\tvisible\nArchive\tworksheet\thidden\nChart\tchart\tvisible\n"
    "active sheet: Data\n";
const std::string kCommentStylesOn = "[GeneralSetting]\nCommentStyle=1\n";

// The Cell Spotter's lines around the cell at (left, top), 48 by 15 points.
std::string SpotterLines(int left, int top) {
  const auto line = [](int number, int x1, int y1, int x2, int y2) {
    return "Quorv@elLine" + std::to_string(number) + "\tline\tfrom " + std::to_string(x1) + "," + std::to_string(y1) +
           " to " + std::to_string(x2) + "," + std::to_string(y2) + "\tweight 1.5\tscheme 10\tnot printed\n";
  };
  return line(1, 0, top, 480000, top) + line(2, 0, top + 15, 480000, top + 15) + line(3, left, 0, left, 1050000) +
         line(4, left + 48, 0, left + 48, 1050000);
}

// The cell context menu of a cell with a comment or without, with the
// "Comment Style" pop-up when shown.
std::string ContextMenu(bool comment, bool commentStyles) {
  std::string menu =
      "Cell:\n  Cut\n  Copy\n  Paste\n  Paste Special...\n  ----\n  Insert...\n  Delete...\n  Clear Contents\n"
      "  ----\n";
  menu += comment ? "  Edit Comment\n  Delete Comment\n  Show/Hide Comments\n" : "  Insert Comment\n";
  if (commentStyles) {
    menu += "  Comment Style\n";
    for (int style = 1; style <= 10; ++style) menu += "    Style " + std::to_string(style) + "\n";
  }
  return menu +
         "  ----\n  Format Cells...\n  Pick From Drop-down List...\n  ----\n  Create List...\n  ----\n"
         "  Hyperlink...\n  ----\n  Look Up...\n";
}

// The font and comment box a file holds: Data!A1's font size and B2's box's
// auto-shape type, and Notes!B2's font size.
std::tuple<double, int, double> FontsAndBox(const std::filesystem::path& file) {
  const auto opened = xlsx::WorkbookFile::Open(file);
  embedded::EmbeddedHost host;
  auto& workbook = host.Open(opened->workbook());
  auto& data = host.Sheet(workbook, "Data");
  const embedded::model::Shape* box = data.FindShape(host.FindComment(data, "B2")->shape);
  return {host.Font(data, "A1").size, box->autoShapeType, host.Font(host.Sheet(workbook, "Notes"), "B2").size};
}

// The help: every verb and shell command on a line of its own, its text in a column.
Matcher<const std::string&> HelpText() {
  const auto line = [](std::string name, std::size_t width, const std::string& help) {
    name.resize(width, ' ');
    return HasSubstr("\n  " + name + help + "\n");
  };
  std::vector<Matcher<const std::string&>> lines = {HasSubstr("\n" + kUsage)};
  for (const cli::Verb& verb : cli::Verbs()) lines.push_back(line(verb.name, 28, verb.help));
  for (const auto& command : cli::ShellCommands::Helps()) {
    lines.push_back(line(std::string(command.usage), 21, std::string(command.text)));
  }
  return AllOfArray(lines);
}

// A run on the sample workbook "book.xlsx" in a sandbox of its own, after
// `prepare`. Only `written` (a new file, or the workbook itself) may be
// saved, and `info` on it then prints `writtenInfo`.
struct RunCase {
  std::vector<std::string> arguments;
  std::string input;
  int exitStatus;
  Matcher<const std::string&> out;
  Matcher<const std::string&> err;
  std::string written = "";
  std::string writtenInfo = "";
  std::function<void(const CliSandbox&)> prepare = nullptr;
  // What `written` holds besides its sheets.
  std::optional<std::tuple<double, int, double>> fontsAndBox = std::nullopt;
};

TEST(CliRuns, StatusOutputErrorsAndFilesWritten) {
  const std::vector<RunCase> runs{
      {{"--help"}, "", 0, HelpText(), ""},
      {{"--version"}, "", 0, MatchesRegex("tabulara [0-9]+\\.[0-9]+\\.[0-9]+\n"), ""},
      {{}, "", 2, "", UsageError("a verb is required")},
      {{"frobnicate", "book.xlsx"}, "", 2, "", UsageError("unknown verb \"frobnicate\"")},
      {{"trim-cells", "--select", "A1"}, "", 2, "", UsageError("WORKBOOK is required")},
      {{"info", "--yes", "--no", "book.xlsx"}, "", 2, "", UsageError("--yes excludes --no")},
      {{"info", "--output"}, "", 2, "", UsageError("--output: 1 required FILE missing")},
      {{"menu", "-o", "menu.xlsx"}, "", 2, "", UsageError("--output needs a WORKBOOK")},
      {{"info", "missing.xlsx"}, "", 2, "", kMissing},
      {{"info", "--sheet", "notes", "-o", "copy.xlsx", "book.xlsx"}, "", 0, SampleInfo("Notes"), "", "copy.xlsx",
       SampleInfo("Notes")},
      {{"info", "--cell", "Notes!B2", "book.xlsx"}, "", 0, SampleInfo("Notes"), ""},
      {{"info", "--sheet", "Notes", "--select", "'Data'!A1:B2,D4", "--cell", "D4", "book.xlsx"}, "", 0,
       SampleInfo("Data"), ""},
      {{"info", "--select", "Data!A1,Notes!B2", "book.xlsx"}, "", 2, "",
       "tabulara: error: the areas lie on different sheets: \"Data!A1,Notes!B2\"\n"},
      {{"info", "--sheet", "Archive", "book.xlsx"}, "", 2, "", "tabulara: error: a hidden sheet cannot be active\n"},
      // A visibility text with a character that is no digit fails the start-up.
      {{"info", "book.xlsx"}, "", 1, SampleInfo("Data"), "Tabulara: Load error\nType mismatch\n", "", "",
       [](const CliSandbox& sandbox) {
         sandbox.Write("config/Quorvel.Gridwright/settings.ini", "[GeneralSetting]\nVisibility=1x1\n");
       }},
      {{"info", "book.pipe"}, "", 0, SampleInfo("Data"), "", "", "", FeedNamedPipe},
      {{"info", "bomb.xlsx"}, "", 2, "",
       ::testing::MatchesRegex("tabulara: error: bomb.xlsx: part xl/workbook.xml inflates 1[0-9][0-9] times its "
                               "compressed size; refused as a possible zip bomb \\(raise the limit with "
                               "--max-inflate-ratio\\)\n"),
       "", "", WriteZipBomb},
      {{"info", "--max-part-size", "1MB", "--max-inflate-ratio", "100000", "bomb.xlsx"}, "", 2, "",
       "tabulara: error: bomb.xlsx: part xl/workbook.xml inflates to more than 1048576 bytes; refused as a possible "
       "zip bomb (raise the limit with --max-part-size)\n",
       "", "", WriteZipBomb},
      // What the program prints of a workbook's texts cannot drive the terminal.
      {{"info", "book.xlsx"}, "", 0,
       kShownName + "\tworksheet\tvisible\nSecret\tworksheet\tvery hidden\nactive sheet: " + kShownName + "\n", "", "",
       "", WriteHostileBook},
      {{"formulas-to-values", "book.xlsx"}, "", 1, "",
       "Tabulara: Error!\n\nCalculate method of Worksheet class failed: '" + kShownName +
           "'!A3 has no calculated value in the file, and formulas cannot be calculated here\n",
       "", "", WriteHostileBook},
      {{"calculate", "book.xlsx"}, "", 1, "",
       "tabulara: error: Calculate method of Worksheet class failed: '" + kShownName +
           "'!A3 has no calculated value in the file, and formulas cannot be calculated here\n",
       "", "", WriteHostileBook},
      {{"calculate", "book.xlsx"}, "", 0, "", "", "book.xlsx", Info({"Data"}, "Data"), WriteUncalculatedBook},
      {{"info", "--sheet", "Nothing\x1B]0;x\x07", "book.xlsx"}, "", 2, "",
       "tabulara: error: no sheet named Nothing\\x1b]0;x\\x07\n"},
      {{"shell"},
       "# a session from a script\nopen book.xlsx\n\nget A1\nget a3\nget A2\nget A4\nget Z99\n  sheet   Notes  \n"
       "get B2\nsave copy.xlsx\nquit\nsheet Data\n",
       0, "value: 42\nvalue: 84\nformula: =A1*2\nvalue: Grid Wright\nvalue: TRUE\nvalue: \nvalue: note\n", "",
       "copy.xlsx", SampleInfo("Notes")},
      {{"shell", "-o", "out.xlsx", "--sheet", "Notes", "book.xlsx"}, "save\n", 0, "", "", "out.xlsx",
       SampleInfo("Notes")},
      {{"shell"}, "open book.xlsx\nsheet notes\nsave\n", 0, "", "", "book.xlsx", SampleInfo("Notes")},
      {{"shell"},
       "get A1\nopen\nopen missing.xlsx\nopen book.xlsx\nfrobnicate now\nsheet Nowhere\nget not-a-cell!\nget A1\n", 2,
       "value: 42\n",
       "tabulara: error: no workbook is open\ntabulara: error: usage: open FILE\n" + kMissing +
           "tabulara: error: unknown command \"frobnicate\" (commands: open, save, sheet, select, cell, click, "
           "double-click, right-click, cell-spotter, clear-spotter, unify-font, comment-style, shapes, answer, menu, get, "
           "info, addins, calculate, quit)\ntabulara: error: no sheet named Nowhere\n"
           "tabulara: error: not a reference: not-a-cell!\n"},
      {{"shell", "book.xlsx"},
       "select 'Notes'!B2:C3\ninfo\ncell Data!A3\nget A3\nselect Nowhere!A1\nselect A1:\ncell A1:B2\n", 2,
       SampleInfo("Notes") + "value: 84\nformula: =A1*2\n",
       "tabulara: error: no sheet named Nowhere\ntabulara: error: not a cell reference: \"A1:\"\n"
       "tabulara: error: not a single cell: \"A1:B2\"\n"},
      {{"shell", "book.xlsx"}, "save no-such-folder/out.xlsx\nsheet Notes\nopen book.xlsx\ninfo\n", 2,
       SampleInfo("Data"),
       "tabulara: error: no-such-folder/out.xlsx: the folder no-such-folder does not exist\n"},
      {{"sort-sheets", "-o", "out/x.xlsx", "book.xlsx"}, "", 2, "",
       "tabulara: error: out/x.xlsx: the folder out does not exist\n"},
      {{"sort-sheets", "book.xlsx", "-o", "sorted.xlsx"}, "", 0, "", "", "sorted.xlsx",
       Info({"Archive", "Data", "Notes"}, "Data")},
      {{"create-index", "book.xlsx"}, "", 0, "", "", "book.xlsx", Info({"Index", "Data", "Notes", "Archive"}, "Index")},
      {{"click", "Sheets Sort", "Create Index", "book.xlsx"}, "", 0, "", "", "book.xlsx",
       Info({"Index", "Archive", "Data", "Notes"}, "Index")},
      {{"click", "Tabulara/Nothing", "book.xlsx"}, "", 2, "",
       "tabulara: error: no menu item \"Tabulara/Nothing\" is shown\n"},
      {{"trim-cells", "book.xlsx"}, "", 2, "", "tabulara: error: trim-cells needs --select RANGE\n"},
      {{"trim-cells", "--select", "A1:J1001", "-o", "out.xlsx", "book.xlsx"}, "", 0, "",
       LargeTrimAnswered("No (default)"), "out.xlsx", SampleInfo("Data")},
      {{"menu"}, "", 0, HasSubstr("Worksheet Menu Bar:\n  Tabulara (hidden)\n"), ""},
      {{"menu", "book.xlsx"}, "", 0, HasSubstr("Worksheet Menu Bar:\n  Tabulara\n    Sheets Name To Upper Case\n"), ""},
      {{"shell"}, "click Sheets Sort\nopen book.xlsx\nclick Sheets Sort\ninfo\n", 2,
       Info({"Archive", "Data", "Notes"}, "Data"),
       "tabulara: error: no menu item \"Sheets Sort\" is shown\n"},
      {{"shell", "book.xlsx"}, "select A1:J1001\nanswer no\nclick Trim Cells\nclick Tabulara/Sheets Sort\ninfo\n", 0,
       Info({"Archive", "Data", "Notes"}, "Data"), LargeTrimAnswered("No (answer no)")},
      {{"shell", "--no", "book.xlsx"}, "select A1:J1001\nanswer yes\nclick Trim Cells\nclick Trim Cells\n", 0, "",
       LargeTrimAnswered("Yes (answer yes)") + LargeTrimAnswered("No (--no)")},
      {{"trim-cells", "--yes", "--select", "A1:J1001", "book.xlsx"}, "", 0, "", LargeTrimAnswered("Yes (--yes)")},
      // The host's add-ins list, kept from one run to the next with an entry
      // whose class is not registered.
      {{"addins", "--uninstall", "quorvel.formula"}, "", 0, "[x] Old.Thing (not registered)\n[ ] Quorvel.Formula\n",
       "", "", "",
       [](const CliSandbox& sandbox) {
         sandbox.Write("config/tabulara-host/addins", "Old.Thing=1\n");
         sandbox.Run({"addins", "--install", "Quorvel.Formula"});
       }},
      {{"addins", "--install", "Old.Thing"}, "", 2, "",
       "tabulara: error: the host has no automation class \"Old.Thing\" to load\n", "", "",
       [](const CliSandbox& sandbox) { sandbox.Write("config/tabulara-host/addins", "Old.Thing=0\n"); }},
      {{"addins", "--install", "Quorvel.Formula"}, "", 2, "[x] Quorvel.Formula\n",
       MatchesRegex("tabulara: error: .*/config/tabulara-host: cannot be made: .*\n"), "", "",
       [](const CliSandbox& sandbox) { sandbox.Write("config/tabulara-host", ""); }},
      {{"addins", "book.xlsx"}, "", 2, "", UsageError("The following argument was not expected: book.xlsx")},
      {{"shell"}, "addins +quorvel.formula\naddins\naddins Quorvel.Formula\naddins -No.Such\n", 2,
       "[x] Quorvel.Formula\n[x] Quorvel.Formula\n",
       "tabulara: error: usage: addins [+|-PROGID]\n"
       "tabulara: error: the host has no automation class \"No.Such\" to load\n", "", "",
       [](const CliSandbox& sandbox) { std::filesystem::create_directories(sandbox.ConfigHome()); }},
      // The spotter's lines are on screen only: the save would clear them.
      {{"cell-spotter", "book.xlsx"}, "", 2, "", "tabulara: error: cell-spotter needs --cell REF\n"},
      {{"cell-spotter", "--cell", "B2", "book.xlsx"}, "", 0, SpotterLines(48, 15), ""},
      {{"double-click", "--cell", "C3", "book.xlsx"}, "", 0,
       "Comment 1\tcomment box 1\tbox 107.25,7.5 96x55.5\tweight 0.75\n" + SpotterLines(96, 30), "", "", "",
       WithSettings("[GeneralSetting]\nCellSpotter=1\n")},
      {{"shell", "book.xlsx"}, "cell-spotter Data!B2\nshapes\nclear-spotter\nshapes\n", 0, SpotterLines(48, 15), ""},
      {{"shell", "book.xlsx"}, "cell-spotter B2\nsave\nshapes\n", 0, "", "", "book.xlsx", SampleInfo("Data")},
      {{"right-click", "--cell", "B2", "book.xlsx"}, "", 0, ContextMenu(true, false), "", "", "", WithSettings("")},
      {{"right-click", "--cell", "B2", "book.xlsx"}, "", 0, ContextMenu(true, true), "", "", "",
       WithSettings(kCommentStylesOn)},
      {{"right-click", "--sheet", "Chart", "--cell", "A1", "book.xlsx"}, "", 2, "",
       "tabulara: error: the active sheet Chart has no cells\n", "", "", WriteCommentBook},
      {{"comment-style", "11", "--cell", "B2", "book.xlsx"}, "", 2, "",
       "tabulara: error: the comment style is a number from 1 to 10, not \"11\"\n"},
      {{"comment-style", "5", "--cell", "A1", "book.xlsx"}, "", 2, "",
       "tabulara: error: no menu item \"Comment Style/Style 5\" is shown in the context menu of A1\n", "", "",
       WithSettings(kCommentStylesOn)},
      {{"shell", "book.xlsx"}, "comment-style 0 B2\ncomment-style 5 B2\nright-click A1\n", 2,
       ContextMenu(false, false),
       "tabulara: error: the comment style is a number from 1 to 10, not \"0\"\n"
       "tabulara: error: no menu item \"Comment Style/Style 5\" is shown in the context menu of B2\n",
       "", "", WriteCommentBook},
      {{"comment-style", "5", "--cell", "B2", "book.xlsx"}, "", 0, "", "", "book.xlsx",
       kCommentBookInfo, WithSettings(kCommentStylesOn), std::tuple(11.0, 21, 11.0)},
      // A protected sheet keeps its font.
      {{"unify-font", "-o", "out.xlsx", "book.xlsx"}, "", 0, "", "", "out.xlsx",
       kCommentBookInfo,
       WithSettings("[FontSetting]\nSameFontSize=1\nFontSize=14\n"), std::tuple(14.0, 1, 11.0)},
  };
  for (const RunCase& run : runs) {
    SCOPED_TRACE(::testing::PrintToString(run.arguments) + " < " + run.input);
    CliSandbox sandbox;
    sandbox.WriteSample();
    if (run.prepare) run.prepare(sandbox);
    const std::string before = ReadFile(sandbox.path() / "book.xlsx");
    std::set<std::string> files = FileNames(sandbox.path());
    const ProgramRun ran = sandbox.Run(run.arguments, run.input);
    EXPECT_EQ(ran.exitStatus, run.exitStatus) << ran.err;
    EXPECT_THAT(ran.out, run.out);
    EXPECT_THAT(ran.err, run.err);
    files.insert({".stdin", ".stdout", ".stderr"});
    if (!run.written.empty()) files.insert(run.written);
    EXPECT_EQ(FileNames(sandbox.path()), files);
    EXPECT_TRUE(run.written == "book.xlsx" || ReadFile(sandbox.path() / "book.xlsx") == before);
    EXPECT_EQ(run.written.empty() ? "" : sandbox.Run({"info", run.written}).out, run.writtenInfo);
    if (run.fontsAndBox) {
      EXPECT_EQ(FontsAndBox(sandbox.path() / run.written), *run.fontsAndBox);
    }
  }
}

}  // namespace
}  // namespace tabulara::testing
