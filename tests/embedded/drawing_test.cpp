#include <functional>
#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

using ::testing::ElementsAre;

const long kInvalidArgument = -2147024809;

class Shapes : public WorkbookTest {
 protected:
  host::Ref<host::Shapes> SheetShapes() { return WorksheetRef("Sheet1")->Shapes(); }
  host::Ref<host::Shape> AddLine() { return SheetShapes()->AddLine(0, 0, 1, 1); }
};

TEST_F(Shapes, EveryKindIsEnumeratedInZOrderWithItsType) {
  host.AddComment(sheet1, "B2", "note");
  for (model::ShapeKind kind : {model::ShapeKind::Picture, model::ShapeKind::Chart, model::ShapeKind::AutoShape,
                                model::ShapeKind::TextBox, model::ShapeKind::FormControl, model::ShapeKind::Group}) {
    host.AddShape(sheet1, kind);
  }
  AddLine();
  std::vector<std::string> shapes;
  for (const host::Ref<host::Shape>& shape : host::Each(SheetShapes())) {
    shapes.push_back(shape->Name() + " " + std::to_string(shape->Type()));
    shape->Delete();
  }
  EXPECT_THAT(shapes, ElementsAre("Comment 1 4", "Picture 2 13", "Chart 3 3", "Rectangle 4 1", "TextBox 5 17",
                                  "Button 6 8", "Group 7 6", "Straight Connector 8 9"));
  EXPECT_TRUE(sheet1.shapes().empty());
}

TEST_F(Shapes, AddLineKeepsItsEndsAndNumbersNamesOnwards) {
  SheetShapes()->AddLine(0, 30, 480000, 30)->Delete();
  EXPECT_EQ(SheetShapes()->AddLine(96, 1050000, 96, 0)->Name(), "Straight Connector 2");
  host::Ref<host::Shape> horizontal = SheetShapes()->AddLine(0, 30, 480000, 30);
  const model::Shape& line = sheet1.shapes().front();
  EXPECT_THAT((std::vector<double>{line.left, line.top, line.width, line.height}), ElementsAre(96, 0, 0, 1050000));
  EXPECT_TRUE(line.flipVertical);
  EXPECT_FALSE(line.flipHorizontal);
  EXPECT_FALSE(sheet1.shapes().back().flipVertical);
  horizontal->Name("Quorv@elLine1");
  EXPECT_EQ(horizontal->Name(), "Quorv@elLine1");
  EXPECT_THAT(host.ShapeNames(sheet1), ElementsAre("Straight Connector 2", "Quorv@elLine1"));
  EXPECT_THAT([&] { horizontal->Name(""); }, RaisesHostError(kInvalidArgument, "The specified value is out of range."));
}

TEST_F(Shapes, TheLineFormatIsKeptWithinItsRanges) {
  host::Ref<host::Shape> shape = AddLine();
  host::Ref<host::LineFormat> line = shape->Line();
  const std::vector<std::function<void()>> outOfRange = {
      [&] { line->Weight(-1); },    [&] { line->Weight(1585); },
      [&] { line->DashStyle(13); }, [&] { line->Style(0); },
      [&] { line->Style(6); },      [&] { line->Transparency(1.5f); },
      [&] { line->Visible(2); },    [&] { line->BackColor()->RGB(0x1000000); },
  };
  for (const std::function<void()>& put : outOfRange) EXPECT_THAT(put, RaisesHostError(kInvalidArgument));
  EXPECT_THAT([&] { line->ForeColor()->SchemeColor(81); }, RaisesHostError(kInvalidArgument));
  EXPECT_EQ(sheet1.shapes().front().line, model::LineFormat{});
  shape->ControlFormat()->PrintObject(false);
  line->Weight(1.5f);
  line->DashStyle(host::msoLineSolid);
  line->Style(host::msoLineSingle);
  line->Transparency(0);
  line->Visible(host::msoTrue);
  line->ForeColor()->SchemeColor(10);
  line->BackColor()->RGB(0xFFFFFF);
  const model::Shape& kept = sheet1.shapes().front();
  EXPECT_FALSE(kept.printObject);
  EXPECT_FLOAT_EQ(kept.line.weight, 1.5f);
  EXPECT_EQ(kept.line.foreColor, (model::Color{10, std::nullopt}));
  EXPECT_EQ(kept.line.backColor, (model::Color{std::nullopt, 0xFFFFFF}));
  line->ForeColor()->RGB(0);
  EXPECT_EQ(kept.line.foreColor, (model::Color{std::nullopt, 0}));
}

TEST_F(Shapes, OnlyShapesWithAnOutlineTakeAnAutoShapeTypeAndAProtectedSheetRefusesChangesUnlessDrawingIsFree) {
  host.AddShape(sheet1, model::ShapeKind::TextBox, "Box");
  host::Ref<host::Shape> line = AddLine();
  EXPECT_THAT([&] { line->AutoShapeType(host::msoShapeHeart); },
              RaisesHostError(kInvalidArgument, "The specified value is out of range."));
  (*host::Each(SheetShapes()).begin())->AutoShapeType(host::msoShapeWave);
  EXPECT_EQ(host.FindShape(sheet1, "Box")->autoShapeType, host::msoShapeWave);
  host.ProtectSheet(sheet1);
  EXPECT_THAT([&] { AddLine(); }, RaisesHostError(1004, "Method 'AddLine' of object 'Shapes' failed"));
  EXPECT_THAT([&] { line->Delete(); }, RaisesHostError(1004, "Method 'Delete' of object 'Shape' failed"));
  EXPECT_THAT([&] { line->Name("x"); }, RaisesHostError(1004, "Unable to set the Name property of the Shape class"));
  EXPECT_THAT([&] { line->Line()->Weight(2); },
              RaisesHostError(1004, "Unable to set the Weight property of the LineFormat class"));
  EXPECT_THAT([&] { line->Line()->ForeColor()->SchemeColor(10); },
              RaisesHostError(1004, "Unable to set the SchemeColor property of the ColorFormat class"));
  EXPECT_THAT([&] { line->ControlFormat()->PrintObject(false); },
              RaisesHostError(1004, "Unable to set the PrintObject property of the ControlFormat class"));
  EXPECT_EQ(sheet1.shapes().size(), 2u);
  host.ProtectSheet(sheet1, true, false);
  AddLine()->Delete();
  host::Ref<host::LineFormat> format = line->Line();
  line->Delete();
  EXPECT_THAT(host.ShapeNames(sheet1), ElementsAre("Box"));
  EXPECT_THAT([&] { line->Name(); }, RaisesHostError(424, "Object required"));
  EXPECT_THAT([&] { format->Weight(1); }, RaisesHostError(424));
}

TEST_F(Shapes, ACommentIsThatOfTheFirstCellWithABoxThatTakesAShapeShowsUnlessProtectedAndGoesWithItsBox) {
  host.AddComment(sheet1, "B2", "note");
  EXPECT_FALSE(RangeRef("Sheet1", "C2")->Comment());
  host::Ref<host::Shape> box = (*RangeRef("Sheet1", "B2:C3")->Comment())->Shape();
  EXPECT_EQ(box->Type(), host::msoComment);
  EXPECT_EQ(box->Name(), "Comment 1");
  box->AutoShapeType(host::msoShapeHeart);
  EXPECT_EQ(sheet1.shapes().front().autoShapeType, host::msoShapeHeart);
  host.AddComment(sheet1, "B2", "new");
  EXPECT_THAT(host.ShapeNames(sheet1), ElementsAre("Comment 2"));
  EXPECT_EQ(host.FindComment(sheet1, "B2")->text, "new");
  host::Ref<host::Comment> comment = *RangeRef("Sheet1", "B2")->Comment();
  comment->Visible(true);
  EXPECT_TRUE(host.FindComment(sheet1, "B2")->visible);
  EXPECT_TRUE(sheet1.shapes().front().visible);
  comment->Visible(false);
  EXPECT_FALSE(host.FindComment(sheet1, "B2")->visible);
  host.ProtectSheet(sheet1);
  EXPECT_THAT([&] { comment->Visible(true); },
              RaisesHostError(1004, "Unable to set the Visible property of the Comment class"));
  host.UnprotectSheet(sheet1);
  comment->Shape()->Delete();
  EXPECT_FALSE(RangeRef("Sheet1", "B2")->Comment());
  EXPECT_THAT([&] { comment->Visible(true); }, RaisesHostError(424, "Object required"));
}

TEST_F(Shapes, AHyperlinkShowsItsAddressInAnEmptyCellAndReplacesAnyOnTheCellUnlessProtectedOrElsewhere) {
  const auto Links = [&] { return WorksheetRef("Sheet1")->Hyperlinks(); };
  host.SetValue(sheet1, "A5", "Data");
  Links()->Add(RangeRef("Sheet1", "A5"), "", "[Book1.xlsx]Data!$A$1");
  Links()->Add(RangeRef("Sheet1", "B1"), "http://old.example/", "");
  Links()->Add(RangeRef("Sheet1", "B1"), "http://example.com/", "");
  Links()->Add(RangeRef("Sheet1", "B2"), "", "Sheet2!A1");
  EXPECT_EQ(Links()->Count(), 3);
  EXPECT_EQ(sheet1.hyperlinks().front().anchor, model::CellRect::Of({5, 1}));
  EXPECT_EQ(sheet1.hyperlinks().front().address, "");
  EXPECT_EQ(sheet1.hyperlinks().front().subAddress, "[Book1.xlsx]Data!$A$1");
  EXPECT_EQ(sheet1.hyperlinks()[1].address, "http://example.com/");
  EXPECT_EQ(host.Value(sheet1, "A5"), host::Variant("Data"));
  EXPECT_EQ(host.Value(sheet1, "B1"), host::Variant("http://old.example/"));
  EXPECT_EQ(host.Value(sheet1, "B2"), host::Variant("Sheet2!A1"));
  Links()->Delete();
  EXPECT_EQ(Links()->Count(), 0);
  EXPECT_EQ(host.Value(sheet1, "B2"), host::Variant("Sheet2!A1"));
  const char* const addFailed = "Method 'Add' of object 'Hyperlinks' failed";
  EXPECT_THAT([&] { Links()->Add(RangeRef("Sheet2", "A1"), "http://b.example/", ""); },
              RaisesHostError(1004, addFailed));
  host.AddHyperlink(sheet1, "A1", "http://a.example/");
  host.ProtectSheet(sheet1, false);
  EXPECT_THAT([&] { Links()->Delete(); }, RaisesHostError(1004, "Delete method of Hyperlinks class failed"));
  EXPECT_THAT([&] { Links()->Add(RangeRef("Sheet1", "B1"), "http://b.example/", ""); },
              RaisesHostError(1004, addFailed));
  EXPECT_EQ(sheet1.hyperlinks().size(), 1u);
}

class CellGeometry : public WorkbookTest {
 protected:
  // Left, top, width and height of a range, in points.
  void ExpectBox(const std::string& reference, const std::vector<double>& expected) {
    host::Ref<host::Range> range = RangeRef("Sheet1", reference);
    EXPECT_THAT((std::vector<double>{range->Left(), range->Top(), range->Width(), range->Height()}),
                ::testing::Pointwise(::testing::DoubleEq(), expected))
        << reference;
  }
};

TEST_F(CellGeometry, DefaultCellsAre48By15PointsCustomSizesCountInWholePixelsAndHiddenOnesTakeNoSpace) {
  ExpectBox("A1", {0, 0, 48, 15});
  ExpectBox("C4", {96, 45, 48, 15});
  ExpectBox("B2:D5,A1", {48, 15, 144, 60});
  EXPECT_DOUBLE_EQ(WorksheetRef("Sheet1")->Cells()->Width(), 16384 * 48.0);
  // 20 digits wide with padding: 145 pixels, 108.75 points.
  host.SetColumnWidth(sheet1, 1, 20.7109375);
  host.SetRowHeight(sheet1, 2, 30);
  ExpectBox("A1", {0, 0, 108.75, 15});
  ExpectBox("B3", {108.75, 45, 48, 15});
  host.HideColumn(sheet1, 2);
  host.HideRow(sheet1, 1);
  ExpectBox("C2", {108.75, 0, 48, 30});
  ExpectBox("B1", {108.75, 0, 0, 0});
}

}  // namespace
}  // namespace tabulara::embedded
