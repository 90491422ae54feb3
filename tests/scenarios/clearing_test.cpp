#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using embedded::model::ShapeKind;
using embedded::model::SheetKind;
using testing::AddinHarness;

class Clearing : public ::testing::Test {
 protected:
  Clearing() : book_(addin_.StartWith({"Data"})), sheet_(addin_.host.Sheet("Data")) {}

  host::Variant Value(std::string_view cell) { return addin_.host.Value(sheet_, cell); }
  std::vector<std::string> Log() { return addin_.host.model().settingsLog; }

  AddinHarness addin_;
  embedded::model::Workbook& book_;
  embedded::model::Sheet& sheet_;
};

TEST_F(Clearing, TrimCellsTrimsBlanksOfConstantsOnly) {
  addin_.host.SetValue(sheet_, "A1", "  padded  ");
  addin_.host.SetValue(sheet_, "A3", " 42 ");
  addin_.host.SetFormula(sheet_, "A4", "=\" x \"", " x ");
  addin_.host.SetValue(sheet_, "A5", host::ErrorValue{host::xlErrNA});
  addin_.host.SetArrayFormula(sheet_, "B1:B2", "={\" a \";\" b \"}", " a ");
  addin_.host.Select(sheet_, "A1:B5");
  addin_.Click("Trim Cells");

  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_EQ(Value("A1"), host::Variant("padded"));
  EXPECT_EQ(Value("A3"), host::Variant(42));
  EXPECT_EQ(addin_.host.Formula(sheet_, "A4"), "=\" x \"");
  EXPECT_TRUE(Value("A5").IsError());
  EXPECT_EQ(addin_.host.Formula(sheet_, "B2"), "={\" a \";\" b \"}");
  EXPECT_EQ(Log(), (std::vector<std::string>{"ScreenUpdating=False", "EnableEvents=False", "Cursor=2",
                                              "EnableEvents=True", "ScreenUpdating=True", "Cursor=-4143"}));
}

// Above ten thousand cells Trim Cells asks first, with No as the default
// button; from 196608 cells it refuses.
TEST_F(Clearing, TrimCellsAsksAboveTenThousandCellsAndRefusesFrom196608) {
  struct Case {
    const char* selection;
    int answer;
    std::vector<std::string> messages;
    int flags;
    bool trimmed;
  };
  const std::string question =
      "The region you selected is more than 10000 cells, it will cost a bit time, \r\n\r\n are you sure you do it?";
  const Case cases[] = {
      {"A1:J1000", 0, {}, 0, true},
      {"A1:J1000,L1", 0, {question}, 292, false},
      {"A1:A196607", platform::vbYes, {question}, 292, true},
      {"A1:C65536", 0, {"The region you selected is more than 196608 cells, please re-select!"}, 64, false},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.selection);
    addin_.platform.messages.clear();
    addin_.host.model().settingsLog.clear();
    if (row.answer != 0) addin_.platform.answers.push_back(row.answer);
    addin_.host.SetValue(sheet_, "A1", " x ");
    addin_.host.Select(sheet_, row.selection);
    addin_.Click("Trim Cells");
    EXPECT_EQ(addin_.MessageTexts(), row.messages);
    for (const auto& message : addin_.platform.messages) EXPECT_EQ(message.flags, row.flags);
    EXPECT_EQ(Value("A1"), host::Variant(row.trimmed ? "x" : " x "));
    EXPECT_EQ(Log().empty(), !row.trimmed);
  }
  // With a picture selected it says nothing.
  addin_.platform.messages.clear();
  addin_.host.model().settingsLog.clear();
  addin_.host.AddShape(sheet_, ShapeKind::Picture, "Logo");
  addin_.host.SelectShape(sheet_, "Logo");
  addin_.Click("Trim Cells");
  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_TRUE(Log().empty());
}

TEST_F(Clearing, ClearHyperlinksDeletesThemAllOrSaysThereAreNone) {
  addin_.Click("Clear Hyperlinks");
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"No Hyperlinks in this worksheet!"});
  EXPECT_EQ(addin_.platform.messages.front().flags, 64);
  EXPECT_TRUE(Log().empty());

  addin_.host.AddHyperlink(sheet_, "A1", "https://example.com/");
  addin_.Click("Clear Hyperlinks");
  EXPECT_TRUE(sheet_.hyperlinks().empty());
  EXPECT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(Log(), (std::vector<std::string>{"ScreenUpdating=False", "ScreenUpdating=True"}));
}

// A sheet protected without its scenarios is not taken for protected.
TEST_F(Clearing, ClearShapesKeepsCommentBoxesAndClearAllClearsEverything) {
  addin_.host.ProtectSheet(sheet_, false, false, false);
  addin_.host.AddShape(sheet_, ShapeKind::Picture, "Logo");
  addin_.host.AddShape(sheet_, ShapeKind::Chart, "Chart 1");
  addin_.host.AddShape(sheet_, ShapeKind::FormControl, "Button 1");
  addin_.host.AddComment(sheet_, "B2", "note");
  addin_.Click("Clear Shapes");
  ASSERT_EQ(addin_.host.ShapeNames(sheet_).size(), 1u);
  EXPECT_NE(addin_.host.FindComment(sheet_, "B2"), nullptr);

  addin_.host.SetValue(sheet_, "A1", "value");
  addin_.host.SetFormula(sheet_, "C3", "=1+1", 2);
  addin_.host.AddShape(sheet_, ShapeKind::Line);
  addin_.Click("Clear All");
  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_TRUE(Value("A1").IsEmpty());
  EXPECT_EQ(addin_.host.Formula(sheet_, "C3"), std::nullopt);
  EXPECT_TRUE(addin_.host.ShapeNames(sheet_).empty());
  EXPECT_EQ(addin_.host.FindComment(sheet_, "B2"), nullptr);
  EXPECT_EQ(Log(), (std::vector<std::string>{"ScreenUpdating=False", "ScreenUpdating=True", "ScreenUpdating=False",
                                              "ScreenUpdating=True"}));
}

// Without formulas it says so; a failure is reported with screen updating on.
TEST_F(Clearing, ConvertFormulaToValueKeepsTheCurrentValues) {
  addin_.host.SetValue(sheet_, "A4", 7);
  addin_.Click("Convert Formula To Value");
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"No formula in this worksheet!"});
  EXPECT_EQ(addin_.platform.messages.front().flags, 64);

  addin_.host.SetFormula(sheet_, "A1", "=1+1", 2);
  addin_.host.SetFormula(sheet_, "A3", "=1/0", host::ErrorValue{host::xlErrDiv0});
  addin_.Click("Convert Formula To Value");
  EXPECT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(sheet_.calculations, 2);
  for (const char* cell : {"A1", "A3"}) EXPECT_EQ(addin_.host.Formula(sheet_, cell), std::nullopt) << cell;
  EXPECT_EQ(Value("A1"), host::Variant(2));
  EXPECT_EQ(Value("A3"), host::Variant(host::ErrorValue{host::xlErrDiv0}));
  EXPECT_EQ(Value("A4"), host::Variant(7));
  EXPECT_EQ(Log(), (std::vector<std::string>{"ScreenUpdating=False", "ScreenUpdating=True", "ScreenUpdating=False",
                                              "ScreenUpdating=True"}));

  addin_.host.SetFormula(sheet_, "A1", "=1+1", 2);
  addin_.host.runtime().FailOn("Worksheet.Calculate", host::HostError(13, "Type mismatch"));
  addin_.Click("Convert Formula To Value");
  EXPECT_EQ(addin_.MessageTexts().back(), "Error!\r\n\r\nType mismatch");
  EXPECT_TRUE(addin_.host.model().screenUpdating);
}

// On a chart sheet they do nothing.
TEST_F(Clearing, EachSheetCommandShowsItsOwnProtectionMessage) {
  addin_.platform.WriteInstallFile("English.lang",
                                   "[Message]\r\nMSGClearHyperlinks2=links\r\nMSGClearShape1=shapes\r\n"
                                   "MSGClearSheet1=all\r\nMSGFormula2No1=formulas\r\n");
  addin_.host.AddHyperlink(sheet_, "A1", "https://example.com/");
  addin_.host.ProtectSheet(sheet_);
  const char* commands[] = {"Clear Hyperlinks", "Clear Shapes", "Clear All", "Convert Formula To Value"};
  for (const char* command : commands) addin_.Click(command);
  addin_.host.Activate(addin_.host.AddSheet(book_, "Chart1", SheetKind::Chart));
  for (const char* command : commands) addin_.Click(command);
  EXPECT_EQ(addin_.MessageTexts(), (std::vector<std::string>{"links", "shapes", "all", "formulas"}));
  for (const auto& message : addin_.platform.messages) EXPECT_EQ(message.flags, 32);
  EXPECT_EQ(sheet_.hyperlinks().size(), 1u);
  EXPECT_TRUE(Log().empty());
}

TEST_F(Clearing, CommandsWithoutAWorkbookShowTheirMessage) {
  addin_.host.Close(book_);
  const std::string objectError = "Error!\r\n\r\nObject variable or With block variable not set";
  for (const char* command : {"Trim Cells", "Clear Shapes", "Sheets Sort"}) addin_.Click(command);
  EXPECT_EQ(addin_.MessageTexts(),
            (std::vector<std::string>{"Please select the cells first!", objectError, objectError}));
  EXPECT_EQ(addin_.platform.messages.front().flags, 32);
}

}  // namespace
}  // namespace tabulara::addin
