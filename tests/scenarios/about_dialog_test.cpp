#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/connected_addin.h"
#include "support/scripted_views.h"
#include "version.h"

namespace tabulara::testing {
namespace {

using Control = platform::AboutControl;

TEST(AboutDialog, ShowsTheTextsTheLinkLookAndOpensTheWebPageAtEachClick) {
  struct Step {
    Control over;
    bool underlined;
    long color;
  };
  const Step steps[] = {{Control::lblAddress, true, platform::kLinkRed},
                        {Control::imgMe, true, platform::kLinkRed},
                        {Control::Form, false, platform::kLinkBlue},
                        {Control::lblAddress, true, platform::kLinkRed}};
  AddinHarness addin;
  addin.StartWith({"Sheet1"});
  addin.platform.AddProgram("xdg-open");
  auto view = std::make_shared<ScriptedAboutView>();
  addin.platform.aboutDialog = view;
  view->script = [&](ScriptedAboutView& v) {
    for (const Step& step : steps) {
      v.UserMoveMouseOver(step.over);
      EXPECT_EQ(v.underlined[Control::lblAddress], step.underlined);
      EXPECT_EQ(v.colors[Control::lblAddress], step.color);
    }
    for (const Control clicked : {Control::lblAddress, Control::lblAddress, Control::imgMe, Control::Label1}) {
      v.UserClick(clicked);
    }
    EXPECT_FALSE(v.closed);
    v.UserClick(Control::cmdOK);
  };
  addin.Click("About...");

  EXPECT_EQ(view->captions,
            (std::map<Control, std::string>{
                {Control::Form, "About Tabulara"},
                {Control::lblVersion, "Tabulara " + VersionNumbers()},
                {Control::Label1, "Tabulara is made by the Tabulara project."},
                {Control::Label2, "To use the Tabulara, choose one of the items under the Tabulara menu, found on "
                                  "the Worksheet menu bar."},
                {Control::Label3, "For more utilities and examples, visit:"},
                {Control::lblAddress, "www.tabulara.example"},
                {Control::cmdOK, "OK"},
            }));
  EXPECT_EQ(view->handCursor, (std::map<Control, bool>{{Control::lblAddress, true}, {Control::imgMe, true}}));
  const std::vector<std::string> opened = {(addin.platform.programFolder / "xdg-open").string(),
                                           "https://www.tabulara.example/"};
  EXPECT_THAT(addin.platform.started, ::testing::ElementsAre(opened, opened, opened));
  EXPECT_TRUE(view->closed);
}

}  // namespace
}  // namespace tabulara::testing
