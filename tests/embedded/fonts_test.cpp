#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class Fonts : public WorkbookTest {};

TEST_F(Fonts, ARangeFontChangesItsCellsOnly) {
  host::Ref<host::Font> font = RangeRef("Sheet1", "A1")->Font();
  font->Bold(true);
  font->Size(16);
  EXPECT_TRUE(host.Font(sheet1, "A1").bold);
  EXPECT_EQ(host.Font(sheet1, "A1").size, 16);
  EXPECT_EQ(host.Font(sheet1, "A1").name, "Calibri");
  EXPECT_FALSE(host.Font(sheet1, "A2").bold);
  EXPECT_EQ(host.Font(sheet1, "A2").size, 11);
}

TEST_F(Fonts, TheWholeSheetChangesWithoutAnEntryPerCell) {
  host.SetValue(sheet1, "B2", "kept");
  model::Font courier;
  courier.name = "Courier";
  courier.italic = true;
  host.SetFont(sheet1, "C3", courier);
  host::Ref<host::Font> font = WorksheetRef("Sheet1")->Cells()->Font();
  font->Size(12);
  font->Name("Arial");
  font->Bold(true);
  for (const char* cell : {"A1", "B2", "C3", "XFD1048576"}) {
    model::Font now = host.Font(sheet1, cell);
    EXPECT_EQ(now.size, 12) << cell;
    EXPECT_EQ(now.name, "Arial") << cell;
    EXPECT_TRUE(now.bold) << cell;
  }
  EXPECT_TRUE(host.Font(sheet1, "C3").italic);
  EXPECT_EQ(sheet1.grid.CellCount(), 2u);
  EXPECT_EQ(host.Value(sheet1, "B2"), host::Variant("kept"));
}

TEST_F(Fonts, ColumnsAndRowsChangeThroughTheirFormats) {
  WorksheetRef("Sheet1")->Range("3:3")->Font()->Italic(true);
  WorksheetRef("Sheet1")->Range("B:B")->Font()->Size(9);
  EXPECT_TRUE(host.Font(sheet1, "A3").italic);
  EXPECT_EQ(host.Font(sheet1, "B3").size, 9);
  EXPECT_TRUE(host.Font(sheet1, "B3").italic);
  EXPECT_EQ(host.Font(sheet1, "B900").size, 9);
  EXPECT_FALSE(host.Font(sheet1, "B900").italic);
  WorksheetRef("Sheet1")->Range("5:5")->Font()->Bold(true);
  EXPECT_EQ(host.Font(sheet1, "B5").size, 9);
  EXPECT_TRUE(host.Font(sheet1, "B5").bold);
  EXPECT_EQ(host.Font(sheet1, "C5").size, 11);
}

TEST_F(Fonts, SizesOutsideOneTo409AreRefused) {
  host::Ref<host::Font> font = RangeRef("Sheet1", "A1")->Font();
  EXPECT_THAT([&] { font->Size(0.5); }, RaisesHostError(1004, "Unable to set the Size property of the Font class"));
  EXPECT_THAT([&] { font->Size(410); }, RaisesHostError(1004));
  font->Size(409);
  EXPECT_EQ(host.Font(sheet1, "A1").size, 409);
}

TEST_F(Fonts, AProtectedSheetRefusesFontChanges) {
  host.ProtectSheet(sheet1, false);
  EXPECT_THAT([&] { WorksheetRef("Sheet1")->Cells()->Font()->Name("Arial"); },
              RaisesHostError(1004, "Unable to set the Name property of the Font class"));
  EXPECT_THAT([&] { RangeRef("Sheet1", "A1")->Font()->Bold(true); },
              RaisesHostError(1004, "Unable to set the Bold property of the Font class"));
  EXPECT_EQ(host.Font(sheet1, "A1").name, "Calibri");
}

}  // namespace
}  // namespace tabulara::embedded
