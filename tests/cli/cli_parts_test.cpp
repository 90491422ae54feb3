#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "addin/globals.h"
#include "cli/change_watch.h"
#include "cli/terminal_message_boxes.h"
#include "cli/terminal_text.h"
#include "embedded/embedded_host.h"
#include "platform/platform.h"

namespace tabulara::cli {
namespace {

namespace model = embedded::model;

TEST(TerminalTextTest, EscapesControlCharactersAndBrokenUtf8AndKeepsEverythingElse) {
  const std::string plain = "plain \xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";
  const struct {
    std::string text;
    std::string line;
    std::string lines;
  } cases[] = {
      {plain, plain, plain},
      {"\x1B]0;title\x07", "\\x1b]0;title\\x07", "\\x1b]0;title\\x07"},
      {"a\tb\x7F\x01", "a\\x09b\\x7f\\x01", "a\\x09b\\x7f\\x01"},
      {"csi \xC2\x9B" "31m nbsp \xC2\xA0", "csi \\x9b31m nbsp \xC2\xA0", "csi \\x9b31m nbsp \xC2\xA0"},
      {"one\r\ntwo\rthree\nfour", "one\\x0d\\x0atwo\\x0dthree\\x0afour", "one\ntwo\nthree\nfour"},
      {"bad \x9B \xC3 \xE6\x97 \xED\xA0\x80 \xF0\x8F\xBF\xBF",
       "bad \\x9b \\xc3 \\xe6\\x97 \\xed\\xa0\\x80 \\xf0\\x8f\\xbf\\xbf",
       "bad \\x9b \\xc3 \\xe6\\x97 \\xed\\xa0\\x80 \\xf0\\x8f\\xbf\\xbf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TerminalText(c.text), c.line) << c.text;
    EXPECT_EQ(TerminalLines(c.text), c.lines) << c.text;
  }
}

constexpr int kYesNoQuestion = platform::vbYesNo | platform::vbQuestion;
constexpr int kYesNoDefaultNo = kYesNoQuestion | platform::vbDefaultButton2;

TEST(TerminalMessageBoxesTest, ShowsTitleAndTextAndAsksOnATerminalUntilAnswered) {
  std::istringstream input("maybe\nN\n\n");
  std::ostringstream output;
  TerminalMessageBoxes boxes(Answer::AskOnTerminal, input, output, true);
  EXPECT_EQ(boxes.Show({"first\r\nsecond\r\n\r\nlast\rend", platform::vbInformation, "Grid Wright"}), platform::vbOK);
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion, {}}), platform::vbNo);
  EXPECT_EQ(output.str(),
            "Grid Wright: first\nsecond\n\nlast\nend\nTabulara: Sure?\nYes or No? [Y/n] Yes or No? [Y/n] ");
  // An empty line, and the end of the input, take the default button.
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoDefaultNo, {}}), platform::vbNo);
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion, {}}), platform::vbYes);
}

TEST(TerminalMessageBoxesTest, CountsErrorReportsAndLoadErrorsOnly) {
  addin::gAppError = "Error!";
  std::istringstream input;
  std::ostringstream output;
  TerminalMessageBoxes boxes(Answer::AskOnTerminal, input, output, false);
  boxes.Show({"Load error\r\nType mismatch", platform::vbCritical, "Tabulara"});
  boxes.Show({"Error!\r\n\r\nMethod failed", platform::vbExclamation, "Tabulara"});
  EXPECT_EQ(boxes.TakeReportedErrors(), 2);
  EXPECT_EQ(boxes.TakeReportedErrors(), 0);

  boxes.Show({"Error!\r\n\r\nnot a report", platform::vbInformation, "Tabulara"});
  boxes.Show({"Load error\r\nwithout its icon", platform::vbExclamation, "Tabulara"});
  boxes.Show({"The index sheet exists.", platform::vbExclamation, "Tabulara"});
  EXPECT_EQ(boxes.TakeReportedErrors(), 0);
}

TEST(ChangeWatchTest, EveryKindOfChangeIsNoticedAndNoOtherThing) {
  embedded::EmbeddedHost host;
  model::Workbook& workbook = host.NewWorkbook({"Data", "Other"});
  model::Sheet& sheet = host.Sheet(workbook, "Data");
  host.SetValue(sheet, "A1", 1);
  host.SetValue(sheet, "A2", "text");
  host.SetFormula(sheet, "A3", "=A1*2", 2);
  host.SetValue(sheet, "A4", 0);
  host.SetArrayFormula(sheet, "C1:C2", "{=1}", 1.0);
  host.SetValue(sheet, "A5", 5);
  host.SetValue(sheet, "B6", 6);
  ChangeWatch watch;
  watch.MarkUnchanged(workbook);
  // The active sheet and the selection are no change, nor a value put back.
  host.Activate(host.Sheet(workbook, "Other"));
  host.Select(sheet, "B2:C4", "C3");
  host.SetValue(sheet, "A2", "other");
  host.SetValue(sheet, "A2", "text");
  EXPECT_FALSE(watch.Changed(workbook));

  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"number", [&] { host.SetValue(sheet, "A1", 2); }},
      {"zero to FALSE", [&] { host.SetValue(sheet, "A4", false); }},
      {"text", [&] { host.SetValue(sheet, "A2", "other"); }},
      {"formula", [&] { host.SetFormula(sheet, "A3", "=A1*3", 2); }},
      {"formula to value", [&] { host.SetValue(sheet, "A3", 2); }},
      {"new cell", [&] { host.SetValue(sheet, "Z99", "x"); }},
      {"number format", [&] { host.SetNumberFormat(sheet, "A1", "0.00"); }},
      {"font", [&] { host.SetFont(sheet, "A1", model::Font{"Arial", 10, true, false}); }},
      {"column width", [&] { host.SetColumnWidth(sheet, 2, 20); }},
      {"hidden row", [&] { host.HideRow(sheet, 4); }},
      {"row height", [&] { host.SetRowHeight(sheet, 2, 30); }},
      {"other row height", [&] { host.SetRowHeight(sheet, 2, 31); }},
      {"row format", [&] { sheet.grid().rows[1].format = 1; }},
      {"other row format", [&] { sheet.grid().rows[1].format = 2; }},
      {"cell to the next row", [&] {
         sheet.grid().rows[6].cells.push_back(sheet.grid().rows[5].cells.back());
         sheet.grid().rows[5].cells.pop_back();
       }},
      {"sheet name", [&] { sheet.name = "Renamed"; }},
      {"visibility", [&] { host.Sheet(workbook, "Other").visibility = host::xlSheetHidden; }},
      {"tab order", [&] { std::swap(workbook.sheets[0], workbook.sheets[1]); }},
      {"new sheet", [&] { host.AddSheet(workbook, "Third"); }},
      {"sheet protection", [&] { host.ProtectSheet(sheet); }},
      {"contents protected", [&] { sheet.protection().contents = !sheet.protection().contents; }},
      {"drawing protected", [&] { sheet.protection().drawingObjects = !sheet.protection().drawingObjects; }},
      {"scenarios protected", [&] { sheet.protection().scenarios = !sheet.protection().scenarios; }},
      {"structure protection", [&] { host.ProtectStructure(workbook); }},
      {"shape", [&] { host.AddShape(sheet, model::ShapeKind::Line); }},
      {"line weight", [&] { sheet.shapes().back().line.weight += 1; }},
      {"line back colour", [&] { sheet.shapes().back().line.backColor.rgb = 0x123456; }},
      {"shape printed", [&] { sheet.shapes().back().printObject = !sheet.shapes().back().printObject; }},
      {"shape shown", [&] { sheet.shapes().back().visible = !sheet.shapes().back().visible; }},
      {"array taller", [&] { ++sheet.grid().arrays.front().bottom; }},
      {"array wider", [&] { ++sheet.grid().arrays.front().right; }},
      {"comment", [&] { host.AddComment(sheet, "B2", "note"); }},
      {"comment author", [&] { sheet.comments().begin()->second.author += "x"; }},
      {"comment text", [&] { sheet.comments().begin()->second.text += "x"; }},
      {"comment shown", [&] { sheet.comments().begin()->second.visible = !sheet.comments().begin()->second.visible; }},
      {"hyperlink", [&] { host.AddHyperlink(sheet, "B3", "", "Other!A1"); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    watch.MarkUnchanged(workbook);
    change();
    EXPECT_TRUE(watch.Changed(workbook));
  }

  // As a save does: what Changed saw becomes the unchanged state, once.
  host.SetValue(sheet, "A1", 5);
  ASSERT_TRUE(watch.Changed(workbook));
  watch.MarkLastSeenUnchanged();
  EXPECT_FALSE(watch.Changed(workbook));
  host.SetValue(sheet, "A1", 6);
  watch.MarkLastSeenUnchanged();
  host.SetValue(sheet, "A1", 7);
  watch.MarkLastSeenUnchanged();
  EXPECT_TRUE(watch.Changed(workbook)) << "nothing seen since the last mark";
}

}  // namespace
}  // namespace tabulara::cli
