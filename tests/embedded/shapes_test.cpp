#include <string>
#include <vector>

#include "embedded/rules/drawing.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

class Shapes : public WorkbookTest {
 protected:
  host::Ref<host::Shapes> SheetShapes() { return WorksheetRef("Sheet1")->Shapes(); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const host::Ref<host::Shape>& shape : host::Each(SheetShapes())) names.push_back(shape->Name());
    return names;
  }
};

TEST_F(Shapes, EveryKindIsEnumeratedInZOrderWithItsType) {
  host.AddShape(sheet1, model::ShapeKind::Picture);
  host.AddShape(sheet1, model::ShapeKind::Chart);
  host.AddComment(sheet1, "B2", "note");
  host.AddShape(sheet1, model::ShapeKind::AutoShape);
  host.AddShape(sheet1, model::ShapeKind::TextBox);
  host.AddShape(sheet1, model::ShapeKind::FormControl);
  host.AddShape(sheet1, model::ShapeKind::Group);
  SheetShapes()->AddLine(0, 0, 10, 10);
  std::vector<int> types;
  for (const host::Ref<host::Shape>& shape : host::Each(SheetShapes())) types.push_back(shape->Type());
  EXPECT_THAT(Names(), ElementsAre("Picture 1", "Chart 2", "Comment 3", "Rectangle 4", "TextBox 5", "Button 6",
                                   "Group 7", "Straight Connector 8"));
  EXPECT_THAT(types, ElementsAre(host::msoPicture, host::msoChart, host::msoComment, host::msoAutoShape,
                                 host::msoTextBox, host::msoFormControl, host::msoGroup, host::msoLine));
}

TEST_F(Shapes, AddLineKeepsItsEndsAndNumbersNamesOnwards) {
  host::Ref<host::Shape> first = SheetShapes()->AddLine(0, 30, 480000, 30);
  first->Delete();
  host::Ref<host::Shape> second = SheetShapes()->AddLine(96, 1050000, 96, 0);
  EXPECT_EQ(second->Name(), "Straight Connector 2");
  const model::Shape& line = sheet1.shapes.front();
  EXPECT_DOUBLE_EQ(line.left, 96);
  EXPECT_DOUBLE_EQ(line.top, 0);
  EXPECT_DOUBLE_EQ(line.width, 0);
  EXPECT_DOUBLE_EQ(line.height, 1050000);
  EXPECT_TRUE(line.flipVertical);
  EXPECT_FALSE(line.flipHorizontal);
}

TEST_F(Shapes, NamesCanBeSetAndRead) {
  host::Ref<host::Shape> line = SheetShapes()->AddLine(0, 0, 1, 1);
  line->Name("Quorv@elLine1");
  EXPECT_EQ(line->Name(), "Quorv@elLine1");
  EXPECT_THAT(host.ShapeNames(sheet1), ElementsAre("Quorv@elLine1"));
  EXPECT_THAT([&] { line->Name(""); }, RaisesHostError(-2147024809, "The specified value is out of range."));
}

TEST_F(Shapes, DeletingWhileEnumeratingReachesEveryShape) {
  for (int i = 0; i < 4; ++i) host.AddShape(sheet1, model::ShapeKind::Picture);
  for (const host::Ref<host::Shape>& shape : host::Each(SheetShapes())) shape->Delete();
  EXPECT_TRUE(sheet1.shapes.empty());
}

TEST_F(Shapes, TheLineFormatIsKept) {
  host::Ref<host::Shape> shape = SheetShapes()->AddLine(0, 0, 1, 1);
  shape->ControlFormat()->PrintObject(false);
  host::Ref<host::LineFormat> line = shape->Line();
  line->Weight(1.5f);
  line->DashStyle(host::msoLineSolid);
  line->Style(host::msoLineSingle);
  line->Transparency(0);
  line->Visible(host::msoTrue);
  line->ForeColor()->SchemeColor(10);
  line->BackColor()->RGB(0xFFFFFF);
  const model::Shape& kept = sheet1.shapes.front();
  EXPECT_FALSE(kept.printObject);
  EXPECT_FLOAT_EQ(kept.line.weight, 1.5f);
  EXPECT_EQ(kept.line.foreColor, (model::Color{10, std::nullopt}));
  EXPECT_EQ(kept.line.backColor, (model::Color{std::nullopt, 0xFFFFFF}));
  line->ForeColor()->RGB(0x0000FF);
  EXPECT_EQ(sheet1.shapes.front().line.foreColor, (model::Color{std::nullopt, 0x0000FF}));
}

TEST_F(Shapes, LineValuesOutsideTheirRangesAreRefused) {
  host::Ref<host::LineFormat> line = SheetShapes()->AddLine(0, 0, 1, 1)->Line();
  EXPECT_THAT([&] { line->Weight(-1); }, RaisesHostError(-2147024809));
  EXPECT_THAT([&] { line->DashStyle(13); }, RaisesHostError(-2147024809));
  EXPECT_THAT([&] { line->Style(0); }, RaisesHostError(-2147024809));
  EXPECT_THAT([&] { line->Transparency(1.5f); }, RaisesHostError(-2147024809));
  EXPECT_THAT([&] { line->Visible(2); }, RaisesHostError(-2147024809));
  EXPECT_THAT([&] { line->BackColor()->RGB(0x1000000); }, RaisesHostError(-2147024809));
  EXPECT_EQ(sheet1.shapes.front().line, model::LineFormat{});
}

TEST_F(Shapes, OnlyShapesWithAnOutlineTakeAnAutoShapeType) {
  host.AddShape(sheet1, model::ShapeKind::TextBox, "Box");
  host::Ref<host::Shape> line = SheetShapes()->AddLine(0, 0, 1, 1);
  EXPECT_THAT([&] { line->AutoShapeType(host::msoShapeHeart); },
              RaisesHostError(-2147024809, "The specified value is out of range."));
  host::Ref<host::Shape> box = *host::Each(SheetShapes()).begin();
  box->AutoShapeType(host::msoShapeWave);
  EXPECT_EQ(host.FindShape(sheet1, "Box")->autoShapeType, host::msoShapeWave);
}

TEST_F(Shapes, AProtectedSheetRefusesDrawingChanges) {
  host::Ref<host::Shape> line = SheetShapes()->AddLine(0, 0, 1, 1);
  host.ProtectSheet(sheet1);
  EXPECT_THAT([&] { SheetShapes()->AddLine(0, 0, 1, 1); },
              RaisesHostError(1004, "Method 'AddLine' of object 'Shapes' failed"));
  EXPECT_THAT([&] { line->Delete(); }, RaisesHostError(1004, "Method 'Delete' of object 'Shape' failed"));
  EXPECT_THAT([&] { line->Name("x"); }, RaisesHostError(1004, "Unable to set the Name property of the Shape class"));
  EXPECT_THAT([&] { line->Line()->Weight(2); },
              RaisesHostError(1004, "Unable to set the Weight property of the LineFormat class"));
  EXPECT_THAT([&] { line->Line()->ForeColor()->SchemeColor(10); },
              RaisesHostError(1004, "Unable to set the SchemeColor property of the ColorFormat class"));
  EXPECT_THAT([&] { line->ControlFormat()->PrintObject(false); },
              RaisesHostError(1004, "Unable to set the PrintObject property of the ControlFormat class"));
  EXPECT_EQ(sheet1.shapes.size(), 1u);
}

TEST_F(Shapes, ProtectionWithoutDrawingObjectsLeavesShapesFree) {
  host.ProtectSheet(sheet1, true, false);
  SheetShapes()->AddLine(0, 0, 1, 1)->Delete();
  EXPECT_TRUE(sheet1.shapes.empty());
}

TEST_F(Shapes, ADeletedShapeRaisesObjectRequired) {
  host::Ref<host::Shape> line = SheetShapes()->AddLine(0, 0, 1, 1);
  host::Ref<host::LineFormat> format = line->Line();
  line->Delete();
  EXPECT_THAT([&] { line->Name(); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { format->Weight(1); }, RaisesHostError(424));
}

}  // namespace
}  // namespace tabulara::embedded
