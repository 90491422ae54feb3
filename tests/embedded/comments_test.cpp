#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class Comments : public WorkbookTest {};

TEST_F(Comments, ACellWithoutACommentHasNone) { EXPECT_FALSE(RangeRef("Sheet1", "B2")->Comment()); }

TEST_F(Comments, TheCommentOfTheFirstCellWithItsBox) {
  host.AddComment(sheet1, "B2", "note");
  host::Maybe<host::Comment> comment = RangeRef("Sheet1", "B2:C3")->Comment();
  ASSERT_TRUE(comment);
  host::Ref<host::Shape> box = (*comment)->Shape();
  EXPECT_EQ(box->Type(), host::msoComment);
  EXPECT_EQ(box->Name(), "Comment 1");
}

TEST_F(Comments, VisibleShowsAndHidesTheComment) {
  host.AddComment(sheet1, "B2", "note");
  host::Ref<host::Comment> comment = *RangeRef("Sheet1", "B2")->Comment();
  comment->Visible(true);
  EXPECT_TRUE(host.FindComment(sheet1, "B2")->visible);
  EXPECT_TRUE(sheet1.shapes.front().visible);
  comment->Visible(false);
  EXPECT_FALSE(host.FindComment(sheet1, "B2")->visible);
}

TEST_F(Comments, TheBoxTakesAnAutoShapeType) {
  host.AddComment(sheet1, "B2", "note");
  (*RangeRef("Sheet1", "B2")->Comment())->Shape()->AutoShapeType(host::msoShapeHeart);
  EXPECT_EQ(sheet1.shapes.front().autoShapeType, host::msoShapeHeart);
  EXPECT_EQ(host.FindComment(sheet1, "B2")->text, "note");
}

TEST_F(Comments, DeletingTheBoxDeletesTheComment) {
  host.AddComment(sheet1, "B2", "note");
  host::Ref<host::Comment> comment = *RangeRef("Sheet1", "B2")->Comment();
  comment->Shape()->Delete();
  EXPECT_FALSE(RangeRef("Sheet1", "B2")->Comment());
  EXPECT_THAT([&] { comment->Visible(true); }, RaisesHostError(424, "Object required"));
}

TEST_F(Comments, AProtectedSheetRefusesShowingComments) {
  host.AddComment(sheet1, "B2", "note");
  host.ProtectSheet(sheet1);
  EXPECT_THAT([&] { (*RangeRef("Sheet1", "B2")->Comment())->Visible(true); },
              RaisesHostError(1004, "Unable to set the Visible property of the Comment class"));
}

}  // namespace
}  // namespace tabulara::embedded
