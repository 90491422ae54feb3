#include "command_bars_fixture.h"

namespace tabulara::embedded {
namespace {

using host::msoControlButton;
using host::msoControlPopup;

class FindControlTest : public CommandBarsTest {
 protected:
  void SetUp() override {
    bar = WorksheetMenuBar();
    popup = AddPopup(bar, 8, true);
    popup->Tag("QuorvelGridwright");
    inner = AddPopup(popup->CommandBar());
    nested = AddButton(inner->Controls());
    nested->Tag("Nested");
  }

  host::Ref<host::CommandBar> bar;
  host::Ref<host::CommandBarPopup> popup;
  host::Ref<host::CommandBarPopup> inner;
  host::Ref<host::CommandBarButton> nested;
};

TEST_F(FindControlTest, TypeIdAndTagTogetherFindTheTaggedPopup) {
  const host::Maybe<host::CommandBarControl> found = bar->FindControl(msoControlPopup, 1, "QuorvelGridwright");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ((*found)->Index(), 8);
  EXPECT_TRUE(std::dynamic_pointer_cast<host::CommandBarPopup>(*found));
}

TEST_F(FindControlTest, EachCriterionMustMatch) {
  EXPECT_FALSE(bar->FindControl(msoControlButton, 1, "QuorvelGridwright").has_value());
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 855, "QuorvelGridwright").has_value());
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 1, "quorvelgridwright").has_value());
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 1, "QuorvelComments").has_value());
  EXPECT_FALSE(CellMenu()->FindControl(msoControlPopup, 1, "QuorvelGridwright").has_value());
}

TEST_F(FindControlTest, EachCriterionAloneFindsTheFirstMatch) {
  EXPECT_EQ((*bar->FindControl(msoControlPopup))->Caption(), "&File");
  EXPECT_EQ((*bar->FindControl(std::nullopt, 30011))->Caption(), "&Data");
  EXPECT_EQ((*bar->FindControl(std::nullopt, 1))->Index(), 8);
  EXPECT_EQ((*bar->FindControl(std::nullopt, std::nullopt, "QuorvelGridwright"))->Index(), 8);
}

TEST_F(FindControlTest, ItemsOfPopupsOnlyWhenRecursive) {
  EXPECT_FALSE(bar->FindControl(std::nullopt, std::nullopt, "Nested").has_value());
  EXPECT_FALSE(bar->FindControl(std::nullopt, std::nullopt, "Nested", std::nullopt, false).has_value());
  const host::Maybe<host::CommandBarControl> found =
      bar->FindControl(std::nullopt, std::nullopt, "Nested", std::nullopt, true);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ((*found)->Parent()->Name(), inner->CommandBar()->Name());
  EXPECT_EQ((*bar->FindControl(std::nullopt, 855, std::nullopt, std::nullopt, true))->Caption(), "C&ells...");
}

TEST_F(FindControlTest, RecursiveSearchIsDepthFirstInMenuOrder) {
  nested->Tag("Twice");
  const host::Ref<host::CommandBarButton> later = AddButton(popup->Controls());
  later->Tag("Twice");
  later->Caption("later");
  nested->Caption("nested");
  const host::Maybe<host::CommandBarControl> found =
      bar->FindControl(std::nullopt, std::nullopt, "Twice", std::nullopt, true);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ((*found)->Caption(), "nested");
}

TEST_F(FindControlTest, VisibleTrueSkipsHiddenControlsAndWhatIsInsideThem) {
  const host::Ref<host::CommandBar> cell = CellMenu();
  EXPECT_TRUE(cell->FindControl(std::nullopt, 1589).has_value());
  EXPECT_TRUE(cell->FindControl(std::nullopt, 1589, std::nullopt, false).has_value());
  EXPECT_FALSE(cell->FindControl(std::nullopt, 1589, std::nullopt, true).has_value());
  popup->Visible(false);
  EXPECT_FALSE(bar->FindControl(msoControlPopup, 1, "QuorvelGridwright", true).has_value());
  EXPECT_FALSE(bar->FindControl(std::nullopt, std::nullopt, "Nested", true, true).has_value());
  EXPECT_TRUE(bar->FindControl(std::nullopt, std::nullopt, "Nested", false, true).has_value());
}

TEST_F(FindControlTest, NoneWhenNothingMatches) {
  EXPECT_FALSE(CellMenu()->FindControl(msoControlPopup, 1, "QuorvelComments").has_value());
  EXPECT_FALSE(bar->FindControl(std::nullopt, 424242, std::nullopt, std::nullopt, true).has_value());
}

}  // namespace
}  // namespace tabulara::embedded
