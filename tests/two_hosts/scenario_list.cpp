#include <gtest/gtest.h>

#include "host/constants.h"
#include "two_hosts/addin_driver.h"

namespace tabulara::testing {
namespace {

using embedded::CommandBarSet;

std::vector<CommandBarSet::ControlView> Tagged(AddinDriver& driver, const std::string& bar, const std::string& tag) {
  std::vector<CommandBarSet::ControlView> found;
  for (const auto& control : driver.host().commandBars().View(bar).controls) {
    if (control.tag == tag) found.push_back(control);
  }
  return found;
}

std::vector<std::string> Names(AddinDriver& driver) {
  return driver.host().SheetNames(driver.host().ActiveWorkbook());
}

const CommandBarSet::ControlView* Find(const std::vector<CommandBarSet::ControlView>& controls,
                                       const std::string& caption) {
  for (const auto& control : controls) {
    if (control.caption == caption) return &control;
    if (const auto* found = Find(control.controls, caption)) return found;
  }
  return nullptr;
}

bool ClickMenu(AddinDriver& driver, const std::string& caption) {
  return driver.Click({"Worksheet Menu Bar", "Tabulara", caption});
}

// At the host's start-up the menus come only with OnStartupComplete; a
// connection later builds them at once. Disconnection takes them away and
// leaves no host reference and no subscription alive.
void MenusFollowTheConnectMode(AddinDriver& driver) {
  driver.host().NewWorkbook({"Data"});
  const embedded::Runtime& runtime = driver.host().runtime();
  const long references = runtime.LiveReferences();
  driver.Connect(host::ext_cm_Startup);
  EXPECT_TRUE(Tagged(driver, "Worksheet Menu Bar", "QuorvelGridwright").empty());
  EXPECT_GT(runtime.LiveSubscriptions(), 0);
  driver.StartupComplete();
  const auto menus = Tagged(driver, "Worksheet Menu Bar", "QuorvelGridwright");
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus.front().caption, "Tabulara");
  EXPECT_TRUE(menus.front().temporary);
  // The messengers' faces come from the add-in's bitmaps through the clipboard.
  for (const char* messenger : {"Run Yahoo Messeger", "Run MSN", "Run Skype"}) {
    const auto* button = Find(menus.front().controls, messenger);
    ASSERT_NE(button, nullptr) << messenger;
    EXPECT_TRUE(button->pastedFace) << messenger;
  }
  EXPECT_EQ(Tagged(driver, "Cell", "QuorvelComments").size(), 1u);
  driver.Disconnect();
  EXPECT_TRUE(Tagged(driver, "Worksheet Menu Bar", "QuorvelGridwright").empty());
  EXPECT_TRUE(Tagged(driver, "Cell", "QuorvelComments").empty());
  EXPECT_EQ(runtime.LiveSubscriptions(), 0);
  EXPECT_EQ(runtime.LiveReferences(), references);

  driver.Connect(host::ext_cm_AfterStartup);
  EXPECT_EQ(Tagged(driver, "Worksheet Menu Bar", "QuorvelGridwright").size(), 1u);
  driver.Disconnect();
  EXPECT_EQ(runtime.LiveSubscriptions(), 0);
}

// The visibility setting hides the items it names at start-up.
void TheVisibilitySettingHidesItems(AddinDriver& driver) {
  driver.host().NewWorkbook({"Data"});
  driver.WriteSetting("GeneralSetting", "Visibility", " 01 ");
  driver.Connect(host::ext_cm_AfterStartup);
  const auto menu = Tagged(driver, "Worksheet Menu Bar", "QuorvelGridwright");
  ASSERT_EQ(menu.size(), 1u);
  const auto* hidden = Find(menu.front().controls, "Sheets Name To Upper Case");
  const auto* shown = Find(menu.front().controls, "Sheets Name To Lower Case");
  ASSERT_TRUE(hidden != nullptr && shown != nullptr);
  EXPECT_FALSE(hidden->visible);
  EXPECT_TRUE(shown->visible);
  driver.Disconnect();
}

// Menu clicks reach their handlers and change the workbook.
void MenuClicksActOnTheWorkbook(AddinDriver& driver) {
  auto& book = driver.host().NewWorkbook({"delta", "alpha", "Charlie"});
  driver.host().SetValue(driver.host().Sheet("alpha"), "A1", host::Variant("  padded  "));
  driver.Connect(host::ext_cm_AfterStartup);
  EXPECT_TRUE(ClickMenu(driver, "Sheets Sort"));
  EXPECT_EQ(Names(driver), (std::vector<std::string>{"alpha", "Charlie", "delta"}));
  EXPECT_TRUE(ClickMenu(driver, "Sheets Name To Upper Case"));
  EXPECT_EQ(Names(driver), (std::vector<std::string>{"ALPHA", "CHARLIE", "DELTA"}));
  auto& alpha = driver.host().Sheet("ALPHA");
  driver.host().Activate(alpha);
  driver.host().Select(alpha, "A1");
  EXPECT_TRUE(ClickMenu(driver, "Trim Cells"));
  EXPECT_EQ(driver.host().Value(alpha, "A1"), host::Variant("padded"));
  EXPECT_TRUE(ClickMenu(driver, "Create Index"));
  EXPECT_EQ(driver.host().SheetNames(book).front(), "Index");
  driver.Disconnect();
}

// The application's events reach the add-in: a double-click spots the cell,
// a right-click on a comment shows the styles, a style reshapes the
// comment, and the moment before saving clears the lines.
void ApplicationEventsReachTheAddIn(AddinDriver& driver) {
  auto& book = driver.host().NewWorkbook({"Data"});
  auto& sheet = driver.host().Sheet("Data");
  driver.WriteSetting("GeneralSetting", "CellSpotter", "1");
  driver.WriteSetting("GeneralSetting", "CommentStyle", "1");
  for (const auto& [key, value] : {std::pair{"SameFontSize", "1"}, {"FontSize", "12"}, {"BeforeSave", "1"}}) {
    driver.WriteSetting("FontSetting", key, value);
  }
  driver.host().AddComment(sheet, "B2", "note", true);
  driver.host().SetValue(sheet, "C5", host::Variant(1.0));
  const std::size_t shapes = driver.host().ShapeNames(sheet).size();
  driver.Connect(host::ext_cm_AfterStartup);
  EXPECT_TRUE(driver.host().DoubleClick("C4"));
  EXPECT_EQ(driver.host().ShapeNames(sheet).size(), shapes + 4);
  EXPECT_FALSE(driver.host().RightClick("B2"));
  const auto styles = Tagged(driver, "Cell", "QuorvelComments");
  ASSERT_EQ(styles.size(), 1u);
  EXPECT_TRUE(styles.front().visible);
  EXPECT_TRUE(driver.Click({"Cell", "Comment Style", "Style 3"}));
  const embedded::model::Comment* comment = driver.host().FindComment(sheet, "B2");
  EXPECT_FALSE(comment->visible);
  EXPECT_EQ(sheet.FindShape(comment->shape)->autoShapeType, 11);
  EXPECT_FALSE(driver.host().BeforeSave(book));
  EXPECT_EQ(driver.host().ShapeNames(sheet).size(), shapes);
  EXPECT_EQ(driver.host().Font(sheet, "C5").size, 12);
  EXPECT_TRUE(driver.MessageTexts().empty());
  driver.Disconnect();
}

// A handler whose host call fails hands the host's error back to the host:
// the rest of the command does not run, and the add-in stays usable.
void AFailedHostCallGoesBackToTheHost(AddinDriver& driver) {
  driver.host().NewWorkbook({"one", "two"});
  driver.Connect(host::ext_cm_AfterStartup);
  driver.host().runtime().FailOn("Sheet.Name.Put", host::HostError(1004, "second rename"), 1, 1);
  EXPECT_FALSE(ClickMenu(driver, "Sheets Name To Upper Case"));
  EXPECT_EQ(Names(driver), (std::vector<std::string>{"ONE", "two"}));
  EXPECT_TRUE(ClickMenu(driver, "Sheets Name To Upper Case"));
  EXPECT_EQ(Names(driver), (std::vector<std::string>{"ONE", "TWO"}));
  driver.Disconnect();
}

// Trim Cells gives the host its settings back after a failure, in the
// order of its error handler, and reports the error.
void TrimCellsRestoresTheHostSettingsAfterAFailure(AddinDriver& driver) {
  driver.host().NewWorkbook({"Data"});
  auto& sheet = driver.host().Sheet("Data");
  driver.host().SetValue(sheet, "A1:A3", host::Variant(" x "));
  driver.host().Select(sheet, "A1:A3");
  driver.Connect(host::ext_cm_AfterStartup);
  driver.host().model().settingsLog.clear();
  driver.host().runtime().FailOn("Range.Value.Put", host::HostError(1004, "refused"), 1);
  EXPECT_TRUE(ClickMenu(driver, "Trim Cells"));
  EXPECT_EQ(driver.MessageTexts(), std::vector<std::string>{"Error!\r\n\r\nrefused"});
  EXPECT_EQ(driver.host().Value(sheet, "A1"), host::Variant("x"));
  EXPECT_EQ(driver.host().Value(sheet, "A2"), host::Variant(" x "));
  EXPECT_EQ(driver.host().model().settingsLog,
            (std::vector<std::string>{"ScreenUpdating=False", "EnableEvents=False", "Cursor=2", "Cursor=-4143",
                                      "EnableEvents=True", "ScreenUpdating=True"}));
  driver.Disconnect();
}

// A visibility text the add-in cannot read stops applying it at start-up
// with the add-in's own message box; the menu it built stays.
void ALoadErrorIsTheAddInsOwnMessage(AddinDriver& driver) {
  driver.host().NewWorkbook({"Data"});
  driver.WriteSetting("GeneralSetting", "Visibility", "0x0");
  driver.Connect(host::ext_cm_AfterStartup);
  EXPECT_EQ(driver.MessageTexts(), std::vector<std::string>{"Load error\r\nType mismatch"});
  const auto menu = Tagged(driver, "Worksheet Menu Bar", "QuorvelGridwright");
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_FALSE(Find(menu.front().controls, "Sheets Name To Upper Case")->visible);
  EXPECT_TRUE(Find(menu.front().controls, "Capitalize Sheets Name")->visible);
  driver.Disconnect();
}

}  // namespace

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> scenarios = {
      {"MenusFollowTheConnectMode", &MenusFollowTheConnectMode},
      {"TheVisibilitySettingHidesItems", &TheVisibilitySettingHidesItems},
      {"MenuClicksActOnTheWorkbook", &MenuClicksActOnTheWorkbook},
      {"ApplicationEventsReachTheAddIn", &ApplicationEventsReachTheAddIn},
      {"AFailedHostCallGoesBackToTheHost", &AFailedHostCallGoesBackToTheHost},
      {"ALoadErrorIsTheAddInsOwnMessage", &ALoadErrorIsTheAddInsOwnMessage},
      {"TrimCellsRestoresTheHostSettingsAfterAFailure", &TrimCellsRestoresTheHostSettingsAfterAFailure},
  };
  return scenarios;
}

}  // namespace tabulara::testing
