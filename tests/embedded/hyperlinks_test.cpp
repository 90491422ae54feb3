#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class Hyperlinks : public WorkbookTest {
 protected:
  host::Ref<host::Hyperlinks> Links() { return WorksheetRef("Sheet1")->Hyperlinks(); }
};

TEST_F(Hyperlinks, AddAnchorsALinkOnTheCell) {
  host.SetValue(sheet1, "A5", "Data");
  Links()->Add(RangeRef("Sheet1", "A5"), "", "[Book1.xlsx]Data!$A$1");
  EXPECT_EQ(Links()->Count(), 1);
  ASSERT_EQ(sheet1.hyperlinks.size(), 1u);
  EXPECT_EQ(sheet1.hyperlinks.front().anchor, model::CellRect::Of({5, 1}));
  EXPECT_EQ(sheet1.hyperlinks.front().address, "");
  EXPECT_EQ(sheet1.hyperlinks.front().subAddress, "[Book1.xlsx]Data!$A$1");
  EXPECT_EQ(host.Value(sheet1, "A5"), host::Variant("Data"));
}

TEST_F(Hyperlinks, AnEmptyCellShowsTheAddressOrSubAddress) {
  Links()->Add(RangeRef("Sheet1", "B1"), "http://example.com/", "");
  Links()->Add(RangeRef("Sheet1", "B2"), "", "Sheet2!A1");
  EXPECT_EQ(host.Value(sheet1, "B1"), host::Variant("http://example.com/"));
  EXPECT_EQ(host.Value(sheet1, "B2"), host::Variant("Sheet2!A1"));
}

TEST_F(Hyperlinks, AddingOnACellWithALinkReplacesIt) {
  Links()->Add(RangeRef("Sheet1", "A1"), "http://old.example/", "");
  Links()->Add(RangeRef("Sheet1", "A1"), "http://new.example/", "");
  EXPECT_EQ(Links()->Count(), 1);
  EXPECT_EQ(sheet1.hyperlinks.front().address, "http://new.example/");
}

TEST_F(Hyperlinks, DeleteRemovesThemAllAtOnce) {
  host.AddHyperlink(sheet1, "A1", "http://a.example/");
  host.AddHyperlink(sheet1, "A2", "", "Sheet2!A1");
  Links()->Delete();
  EXPECT_EQ(Links()->Count(), 0);
  EXPECT_EQ(host.Value(sheet1, "A1"), host::Variant("http://a.example/"));
}

TEST_F(Hyperlinks, AProtectedSheetRefusesAddingAndDeleting) {
  host.AddHyperlink(sheet1, "A1", "http://a.example/");
  host.ProtectSheet(sheet1, false);
  EXPECT_THAT([&] { Links()->Delete(); }, RaisesHostError(1004, "Delete method of Hyperlinks class failed"));
  EXPECT_THAT([&] { Links()->Add(RangeRef("Sheet1", "B1"), "http://b.example/", ""); },
              RaisesHostError(1004, "Method 'Add' of object 'Hyperlinks' failed"));
  EXPECT_EQ(sheet1.hyperlinks.size(), 1u);
}

TEST_F(Hyperlinks, TheAnchorMustLieOnTheSheet) {
  EXPECT_THAT([&] { Links()->Add(RangeRef("Sheet2", "A1"), "http://b.example/", ""); },
              RaisesHostError(1004, "Method 'Add' of object 'Hyperlinks' failed"));
}

}  // namespace
}  // namespace tabulara::embedded
