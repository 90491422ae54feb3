#include <gtest/gtest.h>

#include "settings/user_settings.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using embedded::model::Shape;
using embedded::model::ShapeKind;
using embedded::model::SheetKind;
using testing::AddinHarness;

const std::vector<std::string> kLines = {"Quorv@elLine1", "Quorv@elLine2", "Quorv@elLine3", "Quorv@elLine4"};

// "Data" with column B and row 3 of other than the standard sizes.
class CellSpotter : public ::testing::Test {
 protected:
  CellSpotter() : book_(addin_.StartWith({"Data"})), sheet_(addin_.host.Sheet("Data")) {
    addin_.host.SetColumnWidth(sheet_, 2, 100);
    addin_.host.SetRowHeight(sheet_, 3, 20);
  }

  std::vector<std::string> Names() { return addin_.host.ShapeNames(sheet_); }
  std::vector<std::string> Log() { return addin_.host.model().settingsLog; }

  AddinHarness addin_;
  embedded::model::Workbook& book_;
  embedded::model::Sheet& sheet_;
};

TEST_F(CellSpotter, TheMenuDrawsFourNamedUnprintedRedLinesAlongTheActiveCellAndRedrawsThemOnce) {
  addin_.host.Select(sheet_, "B3");
  addin_.Click("Cell Spotter");
  addin_.Click("Cell Spotter");
  ASSERT_EQ(Names(), kLines);
  const host::Ref<host::Range> cell = *addin_.host.Application()->ActiveCell();
  const float left = cell->Left();
  const float top = cell->Top();
  const float width = cell->Width();
  const float height = cell->Height();
  // (x, y) of the top-left corner, width and height of each line's box.
  const std::vector<std::array<double, 4>> boxes = {{0, top, width * 10000, 0},
                                                    {0, top + height, width * 10000, 0},
                                                    {left, 0, 0, height * 70000},
                                                    {left + width, 0, 0, height * 70000}};
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const Shape& line = sheet_.shapes()[i];
    SCOPED_TRACE(line.name);
    EXPECT_EQ(line.kind, ShapeKind::Line);
    EXPECT_EQ((std::array<double, 4>{line.left, line.top, line.width, line.height}), boxes[i]);
    EXPECT_FALSE(line.printObject);
    EXPECT_EQ(line.line.weight, 1.5F);
    EXPECT_EQ(line.line.foreColor.schemeColor, 10);
    EXPECT_EQ(line.line.backColor.rgb, 0xFFFFFF);
    EXPECT_EQ(line.line.visible, host::msoTrue);
  }
  EXPECT_EQ((std::array<float, 4>{left, top, width, height}), (std::array<float, 4>{48, 30, 525, 20}));
  // The menu draws with the screen updating.
  EXPECT_TRUE(Log().empty());
}

TEST_F(CellSpotter, ClearingDeletesExactlyTheFourNames) {
  addin_.host.AddShape(sheet_, ShapeKind::AutoShape, "Quorv@elLine2");
  addin_.host.AddShape(sheet_, ShapeKind::AutoShape, "quorv@elLine2");
  addin_.host.AddShape(sheet_, ShapeKind::AutoShape, "Quorv@elLine22");
  addin_.host.Select(sheet_, "A1");
  addin_.Click("Cell Spotter");
  EXPECT_EQ(Names().size(), 6u);
  addin_.Click("Clear Cell Spotter");
  EXPECT_EQ(Names(), (std::vector<std::string>{"quorv@elLine2", "Quorv@elLine22"}));
  addin_.Click("Cell Spotter");
  addin_.host.Activate(addin_.host.AddSheet(book_, "Chart1", SheetKind::Chart));
  addin_.Click("Clear Cell Spotter");
  EXPECT_EQ(Names().size(), 6u);
  EXPECT_TRUE(addin_.MessageTexts().empty());
  addin_.host.Close(book_);
  addin_.Click("Clear Cell Spotter");
  EXPECT_EQ(addin_.MessageTexts(),
            std::vector<std::string>{"Error!\r\n\r\nObject variable or With block variable not set"});
  EXPECT_EQ(addin_.platform.messages.front().flags, 48);
}

// Before any save the lines leave every worksheet of the workbook saved,
// active or not; the save goes ahead where the host refuses a deletion.
TEST_F(CellSpotter, SavingClearsTheLinesOfEveryWorksheetOfTheSavedWorkbook) {
  embedded::model::Sheet& other = addin_.host.AddSheet(book_, "Other");
  embedded::model::Sheet& locked = addin_.host.AddSheet(book_, "Locked");
  addin_.host.AddShape(locked, ShapeKind::Line, "Quorv@elLine3");
  addin_.host.ProtectSheet(locked);
  for (embedded::model::Sheet* sheet : {&sheet_, &other}) {
    addin_.host.Activate(*sheet);
    addin_.host.Select(*sheet, "A1");
    addin_.Click("Cell Spotter");
  }
  addin_.host.AddShape(other, ShapeKind::AutoShape, "Kept");
  addin_.host.Activate(addin_.host.Sheet(addin_.host.NewWorkbook({"Book2"}), "Book2"));
  EXPECT_FALSE(addin_.host.BeforeSave(book_));
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(addin_.host.ShapeNames(other), std::vector<std::string>{"Kept"});
  EXPECT_EQ(addin_.host.ShapeNames(locked), std::vector<std::string>{"Quorv@elLine3"});
  EXPECT_TRUE(addin_.MessageTexts().empty());
}

// The double-click spots the cell only while the setting is on, and then
// keeps the host from editing the cell, also where nothing can be drawn.
TEST_F(CellSpotter, DoubleClickFollowsTheSetting) {
  struct Case {
    const char* setting;
    bool protectedSheet;
    bool cancel;
    std::size_t lines;
  };
  const Case cases[] = {
      {nullptr, false, false, 0}, {"0", false, false, 0}, {"TRUE", false, true, 4},
      {"1", false, true, 4},      {"1", true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.setting ? c.setting : "never stored") + (c.protectedSheet ? ", protected" : ""));
    AddinHarness addin;
    addin.StartWith({"Data"});
    embedded::model::Sheet& sheet = addin.host.Sheet("Data");
    if (c.setting) settings::WriteSetting("GeneralSetting", "CellSpotter", c.setting);
    if (c.protectedSheet) addin.host.ProtectSheet(sheet);
    EXPECT_EQ(addin.host.DoubleClick("C4"), c.cancel);
    EXPECT_EQ(addin.host.ShapeNames(sheet).size(), c.lines);
    EXPECT_TRUE(addin.MessageTexts().empty());
    const std::vector<std::string> spotted = {"ScreenUpdating=False", "ScreenUpdating=True"};
    EXPECT_EQ(addin.host.model().settingsLog, c.cancel ? spotted : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace tabulara::addin
