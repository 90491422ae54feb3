#include <vector>

#include "command_bars_fixture.h"

namespace tabulara::embedded {
namespace {

struct Expected {
  int id;
  const char* caption;
};

TEST_F(CommandBarsTest, ItemOneIsTheWorksheetMenuBarWithExcelsMenus) {
  const host::Ref<host::CommandBar> bar = WorksheetMenuBar();
  EXPECT_EQ(bar->Name(), "Worksheet Menu Bar");
  const std::vector<Expected> expected = {{30002, "&File"},   {30003, "&Edit"},   {30004, "&View"},
                                          {30005, "&Insert"}, {30006, "F&ormat"}, {30007, "&Tools"},
                                          {30011, "&Data"},   {30009, "&Window"}, {30010, "&Help"}};
  const CommandBarSet::BarView view = set.View("Worksheet Menu Bar");
  ASSERT_EQ(view.controls.size(), expected.size());
  EXPECT_EQ(bar->Controls()->Count(), 9);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(view.controls[i].id, expected[i].id);
    EXPECT_EQ(view.controls[i].caption, expected[i].caption);
    EXPECT_EQ(view.controls[i].type, host::msoControlPopup);
    EXPECT_FALSE(view.controls[i].controls.empty()) << expected[i].caption;
  }
  EXPECT_EQ(view.controls[0].barName, "File");
  EXPECT_EQ(view.controls[4].barName, "Format");
}

TEST_F(CommandBarsTest, CellMenuHoldsFormatCellsAsControl855) {
  const host::Ref<host::CommandBar> cell = CellMenu();
  EXPECT_EQ(cell->Name(), "Cell");
  const host::Maybe<host::CommandBarControl> formatCells = cell->FindControl(std::nullopt, host::kFormatCellsControlId);
  ASSERT_TRUE(formatCells.has_value());
  EXPECT_EQ((*formatCells)->Caption(), "&Format Cells...");
  EXPECT_EQ((*formatCells)->Index(), 12);
  EXPECT_EQ((*formatCells)->Type(), host::msoControlButton);
  const CommandBarSet::BarView view = set.View("Cell");
  EXPECT_EQ(view.controls[0].caption, "Cu&t");
  EXPECT_EQ(view.controls[1].caption, "&Copy");
  EXPECT_EQ(view.controls[2].caption, "&Paste");
  EXPECT_EQ(view.controls[3].caption, "Paste &Special...");
  EXPECT_EQ(view.controls[7].caption, "Insert Co&mment");
}

TEST_F(CommandBarsTest, BarsAreReachedByNameWithoutRegardToCase) {
  EXPECT_EQ(set.CommandBars()->Item("CELL")->Name(), "Cell");
  EXPECT_EQ(set.CommandBars()->Item("worksheet menu bar")->Name(), "Worksheet Menu Bar");
  EXPECT_EQ(set.CommandBars()->Item("Edit")->Controls()->Count(), 11);
}

TEST_F(CommandBarsTest, AnUnknownBarIsAnInvalidCall) {
  const host::Ref<host::CommandBars> bars = set.CommandBars();
  ExpectHostError(5, "Invalid procedure call or argument", [&] { bars->Item("Tabulara"); });
  ExpectHostError(5, "Invalid procedure call or argument", [&] { bars->Item(0); });
  ExpectHostError(5, "Invalid procedure call or argument", [&] { bars->Item(3); });
}

TEST_F(CommandBarsTest, EnumerationWalksTheControlsInOrder) {
  std::vector<std::string> captions;
  for (const host::Ref<host::CommandBarControl>& control : host::Each(set.CommandBars()->Item("Window")->Controls())) {
    captions.push_back(control->Caption());
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"&New Window", "&Arrange...", "&Freeze Panes"}));
}

}  // namespace
}  // namespace tabulara::embedded
