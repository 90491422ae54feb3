#include "menu/mb_buttons.h"

#include <gtest/gtest.h>

#include "embedded/embedded_host.h"
#include "host/host.h"

namespace tabulara::menu {
namespace {

class MBButtonsTest : public ::testing::Test {
 protected:
  host::Ref<host::CommandBarButton> NewButton() {
    return std::dynamic_pointer_cast<host::CommandBarButton>(
        host_.Application()->CommandBars()->Item("Cell")->Controls()->Add(host::msoControlButton));
  }
  long ErrorOf(const std::function<void()>& call) {
    try {
      call();
    } catch (const host::HostError& error) {
      return error.Number();
    }
    return 0;
  }

  embedded::EmbeddedHost host_;
  MBButtons buttons_;
};

TEST_F(MBButtonsTest, ItemsByPositionAndByKeyWithoutRegardToCaseWithTheErrorsOfABasicCollection) {
  const auto first = buttons_.Add(NewButton(), "a.xlt", host_.Application(), "Budget");
  const auto second = buttons_.Add(NewButton(), "b.xlt", host_.Application());
  EXPECT_EQ(buttons_.Count(), 2);
  EXPECT_EQ(buttons_.Item(1), first);
  EXPECT_EQ(buttons_.Item(2.4), second);
  EXPECT_EQ(buttons_.Item("BUDGET"), first);
  EXPECT_EQ(buttons_.NewEnum(), (std::vector<std::shared_ptr<MBButton>>{first, second}));
  // The errors are those of the Basic collection.
  EXPECT_EQ(ErrorOf([&] { buttons_.Add(NewButton(), "c.xlt", host_.Application(), "budget"); }), 457);
  EXPECT_EQ(ErrorOf([&] { buttons_.Add(NewButton(), "d.xlt", host_.Application(), "Other"); }), 0);
  EXPECT_EQ(buttons_.Count(), 3);
  EXPECT_EQ(ErrorOf([&] { buttons_.Item("missing"); }), 5);
  EXPECT_EQ(ErrorOf([&] { buttons_.Item(4); }), 9);
  EXPECT_EQ(ErrorOf([&] { buttons_.Item(0); }), 9);
}

TEST_F(MBButtonsTest, ClearDropsEveryButtonAndItsSubscription) {
  for (int i = 0; i < 3; ++i) buttons_.Add(NewButton(), "t.xlt", host_.Application());
  EXPECT_EQ(host_.runtime().LiveSubscriptions(), 3);
  buttons_.Remove(2);
  EXPECT_EQ(host_.runtime().LiveSubscriptions(), 2);
  buttons_.Clear();
  EXPECT_EQ(buttons_.Count(), 0);
  EXPECT_EQ(host_.runtime().LiveSubscriptions(), 0);
}

}  // namespace
}  // namespace tabulara::menu
