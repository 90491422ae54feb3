#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "addin/globals.h"
#include "platform/platform.h"
#include "support/connected_addin.h"
#include "support/scripted_views.h"

namespace tabulara::testing {
namespace {

using Control = platform::ConfigControl;
using Script = std::function<void(ScriptedConfigView&)>;
using Settings = std::map<std::string, std::string>;

const std::string kAllShown(21, '1');

// The add-in started on one sheet; each Open clicks "Configuration..." and
// plays a script in a fresh dialog window.
class ConfigDialog : public ::testing::Test {
 protected:
  ConfigDialog() { addin_.StartWith({"Sheet1"}); }

  ScriptedConfigView& Open(const Script& script = nullptr) {
    view_ = std::make_shared<ScriptedConfigView>();
    view_->script = script;
    addin_.platform.configDialog = view_;
    addin_.Click("Configuration...");
    return *view_;
  }
  void Store(const std::string& section, const Settings& settings) {
    for (const auto& [key, value] : settings) addin_.platform.platform().SaveSetting(kApp, section, key, value);
  }
  // Every case of a table starts without settings or automation add-ins.
  void Forget() {
    std::filesystem::remove_all(addin_.platform.configHome);
    addin_.host.addIns().Restore({});
  }
  std::optional<std::string> Stored(const std::string& section, const std::string& key) {
    return addin_.platform.platform().GetSetting(kApp, section, key);
  }
  std::optional<std::string> Font(const std::string& key) { return Stored("FontSetting", key); }
  std::optional<std::string> General(const std::string& key) { return Stored("GeneralSetting", key); }
  std::vector<int> MessageFlags() const {
    std::vector<int> flags;
    for (const auto& message : addin_.platform.messages) flags.push_back(message.flags);
    return flags;
  }

  static constexpr const char* kApp = "Quorvel.Gridwright";
  AddinHarness addin_;
  std::shared_ptr<ScriptedConfigView> view_;
};

TEST_F(ConfigDialog, OpensWithTheDefaultsWhenNothingIsStoredAndCancelStoresNothing) {
  ScriptedConfigView& view = Open([](ScriptedConfigView& v) {
    v.UserClick(Control::chkCommentStyle);
    v.UserClick(Control::cmdCancel);
  });
  EXPECT_EQ(view.captions[Control::Form], "Configuration");
  EXPECT_EQ(view.captions[Control::TabFont], "Unify Sheets Font");
  EXPECT_EQ(view.captions[Control::cmdApply], "Apply");
  for (const Control box : {Control::chkCellSpotter, Control::chkFormula, Control::chkBeforeSave, Control::chkFontName,
                            Control::chkFontStyle, Control::chkFontSize}) {
    EXPECT_FALSE(view.checked[box]);
  }
  EXPECT_THAT(view.items[Control::lstFont], ::testing::ElementsAre("Arial", "Courier New", "MS Gothic", "Verdana"));
  EXPECT_EQ(view.itemChecks[Control::lstVisiblity], std::vector<bool>(21, true));
  EXPECT_EQ(view.SelectedText(Control::lstFont), "Arial");
  EXPECT_EQ(view.texts[Control::cmbStyle], "Regular");
  EXPECT_EQ(view.texts[Control::cmbSize], "10");
  // "ABC" at 10 points is 30 wide and 20 high in the 100 x 40 area.
  EXPECT_THAT(view.sample, ::testing::ElementsAre("ABC@35,10"));
  EXPECT_EQ(view.tab, 0);
  EXPECT_TRUE(view.closed);
  EXPECT_TRUE(view.enabled[Control::cmdApply]);  // enabled by the click
  EXPECT_EQ(General("CommentStyle"), std::nullopt);
  EXPECT_EQ(General("Visibility"), std::nullopt);
}

TEST_F(ConfigDialog, ApplyIsDisabledOnceLoaded) {
  Store("FontSetting", {{"BeforeSave", "1"}, {"FontName", "Verdana"}, {"FontSize", "12"}});
  ScriptedConfigView& view = Open();
  EXPECT_TRUE(view.checked[Control::chkBeforeSave]);
  EXPECT_FALSE(view.enabled[Control::cmdApply]);
  EXPECT_EQ(view.SelectedText(Control::lstFont), "Verdana");
}

TEST_F(ConfigDialog, TheSizeIsCheckedWhenStoredAndOnlyDigitsCanBeTyped) {
  struct Case {
    const char* name;
    Script edit;
    std::optional<std::string> stored;
    bool closed;
  };
  const auto typed = [](const char* keys) {
    return [keys](ScriptedConfigView& v) {
      v.UserType(std::string("\b\b") + keys);
      v.UserClick(Control::cmdOK);
    };
  };
  const auto pasted = [](const char* text) {
    return [text](ScriptedConfigView& v) {
      v.UserPaste(Control::cmbSize, text);
      v.UserShowTab(1);
      v.UserClick(Control::cmdApply);
    };
  };
  const Case cases[] = {
      {"chosen 72", [](ScriptedConfigView& v) { v.UserChoose(Control::cmbSize, "72"); v.UserClick(Control::cmdOK); },
       "72", true},
      {"typed 5", typed("5"), std::nullopt, false},
      {"typed 73", typed("73"), std::nullopt, false},
      {"five digits", typed("10000"), std::nullopt, false},
      {"letters are discarded", typed("1x4"), "14", true},
      {"pasted 11.5 stored by Apply", pasted("11.5"), "11.5", false},
      {"72.5 counts as 72", pasted("72.5"), "72.5", false},
      {"5.5 counts as 6", pasted("5.5"), "5.5", false},
      {"6.5 counts as 6", pasted("6.5"), "6.5", false},
      {"4.5 counts as 4", pasted("4.5"), std::nullopt, false},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.name);
    addin_.platform.messages.clear();
    addin_.platform.platform().SaveSetting(kApp, "FontSetting", "FontSize", "10");
    ScriptedConfigView& view = Open(each.edit);
    EXPECT_EQ(Font("FontSize"), each.stored.value_or("10"));
    EXPECT_EQ(view.closed, each.closed);
    if (each.stored) {
      EXPECT_TRUE(addin_.MessageTexts().empty());
    } else {
      EXPECT_THAT(addin_.MessageTexts(), ::testing::ElementsAre("Invalid font size."));
      EXPECT_EQ(view.focus, Control::cmbSize);
    }
  }
}

TEST_F(ConfigDialog, TheSizeFieldTakesBackspaceAndDigitsOnly) {
  ScriptedConfigView& view = Open([](ScriptedConfigView& v) { v.UserType("a"); });
  EXPECT_EQ(view.texts[Control::cmbSize], "10");
  EXPECT_FALSE(view.enabled[Control::cmdApply]);

  ScriptedConfigView& edited = Open([](ScriptedConfigView& v) { v.UserType("\b"); });
  EXPECT_EQ(edited.texts[Control::cmbSize], "1");
  EXPECT_TRUE(edited.enabled[Control::cmdApply]);
}

TEST_F(ConfigDialog, FontChecksRunInOrderAndTheFirstFailureNamesItsControl) {
  struct Case {
    const char* family;
    const char* style;
    const char* size;
    const char* message;
    Control focus;
  };
  const Case cases[] = {
      {"Not Installed", " ", " ", "Please specify the font family.", Control::lstFont},
      {"Arial", " ", "", "Please specify the font style.", Control::cmbStyle},
      {"Arial", "Bold", "  ", "Please specify the font size.", Control::cmbSize},
      {"Arial", "Bold", "ten", "Invalid font size.", Control::cmbSize},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.message);
    addin_.platform.messages.clear();
    Store("FontSetting", {{"FontName", each.family}});
    ScriptedConfigView& view = Open([&](ScriptedConfigView& v) {
      v.UserClick(Control::chkBeforeSave);
      v.UserPaste(Control::cmbStyle, each.style);
      v.UserPaste(Control::cmbSize, each.size);
      v.UserShowTab(1);
      v.UserClick(Control::cmdApply);
    });
    EXPECT_THAT(addin_.MessageTexts(), ::testing::ElementsAre(each.message));
    EXPECT_THAT(MessageFlags(), ::testing::ElementsAre(platform::vbQuestion));
    EXPECT_EQ(addin_.platform.messages.front().title, "Tabulara");
    EXPECT_EQ(view.focus, each.focus);
    EXPECT_TRUE(view.enabled[Control::cmdApply]);
    EXPECT_EQ(Font("BeforeSave"), std::nullopt);
  }
}

TEST_F(ConfigDialog, ApplyStoresOnlyTheGroupOfTheTabShown) {
  struct Case {
    int tab;
    Settings general;
    Settings font;
  };
  const Case cases[] = {
      {0, {{"CommentStyle", "0"}, {"CellSpotter", "1"}, {"Formula", "1"}, {"Visibility", kAllShown}}, {}},
      {1, {},
       {{"BeforeSave", "0"}, {"SameFontName", "0"}, {"SameFontStyle", "0"}, {"SameFontSize", "1"},
        {"FontName", "Arial"}, {"FontSize", "10"}, {"FontBold", "0"}, {"FontItalic", "0"}}},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.tab);
    Forget();
    ScriptedConfigView& view = Open([&](ScriptedConfigView& v) {
      v.UserClick(Control::chkCellSpotter);
      v.UserClick(Control::chkFormula);
      v.UserClick(Control::chkFontSize);
      v.UserShowTab(each.tab);
      v.UserClick(Control::cmdApply);
      v.UserClick(Control::cmdCancel);
    });
    EXPECT_FALSE(view.enabled[Control::cmdApply]);
    for (const char* key : {"CommentStyle", "CellSpotter", "Formula", "Visibility"}) {
      EXPECT_EQ(General(key), each.general.contains(key) ? std::optional(each.general.at(key)) : std::nullopt) << key;
    }
    for (const char* key : {"BeforeSave", "SameFontName", "SameFontStyle", "SameFontSize", "FontName", "FontSize",
                            "FontBold", "FontItalic"}) {
      EXPECT_EQ(Font(key), each.font.contains(key) ? std::optional(each.font.at(key)) : std::nullopt) << key;
    }
    // Saving the General group installs the worksheet functions.
    EXPECT_EQ(addin_.host.addIns().View().size(), each.general.empty() ? 0U : 1U);
  }
}

TEST_F(ConfigDialog, OkStoresTheVisibilityTickedAtLoadAndHidesAnUntickedItemAtOnce) {
  struct Case {
    const char* name;
    std::string stored;
    std::optional<int> untick;
    std::string expected;
  };
  std::string nineteenthHidden = kAllShown;
  nineteenthHidden[18] = '0';
  const Case cases[] = {
      {"nothing changed", "", std::nullopt, kAllShown},
      {"20 characters are ignored", std::string(20, '0'), std::nullopt, kAllShown},
      {"19th unticked", "", 18, nineteenthHidden},
      {"stored 21 applied", nineteenthHidden, std::nullopt, nineteenthHidden},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.name);
    addin_.SetVisibility(each.stored);
    Open([&](ScriptedConfigView& v) {
      if (each.untick) v.UserTickItem(*each.untick);
      v.UserClick(Control::cmdOK);
    });
    EXPECT_EQ(General("Visibility"), each.expected);
    EXPECT_EQ(General("CommentStyle"), "0");
    EXPECT_EQ(Font("FontName"), std::nullopt);
    EXPECT_EQ(addin_.Control(addin::gItemCaptions[18]).visible, each.expected[18] == '1');
  }
}

TEST_F(ConfigDialog, TheStyleIsStoredAsTwoFlagsAndShownFromThem) {
  Open([](ScriptedConfigView& v) {
    v.UserChoose(Control::cmbStyle, "Bold Italic");
    v.UserClick(Control::cmdOK);
  });
  EXPECT_EQ(Font("FontBold"), "-1");
  EXPECT_EQ(Font("FontItalic"), "-1");
  EXPECT_EQ(Open().texts[Control::cmbStyle], "Bold Italic");

  struct Case {
    const char* bold;
    const char* italic;
    const char* shown;
  };
  for (const Case& each : {Case{"0", "-1", "Italic"}, Case{"-1", "0", "Bold"}, Case{"1", "0", "Regular"}}) {
    Store("FontSetting", {{"FontBold", each.bold}, {"FontItalic", each.italic}});
    EXPECT_EQ(Open().texts[Control::cmbStyle], each.shown) << each.bold << each.italic;
  }
}

TEST_F(ConfigDialog, TheSampleIsCentredRestsOnTheBottomWhenTooHighAndIsEmptyWithoutASize) {
  struct Case {
    const char* size;
    std::vector<std::string> sample;
  };
  const Case cases[] = {{"8", {"ABC@38,12"}}, {"30", {"ABC@5,-20"}}, {"40", {"ABC@0,-40"}}, {"0", {}}};
  for (const Case& each : cases) {
    SCOPED_TRACE(each.size);
    Store("FontSetting", {{"FontSize", each.size}});
    EXPECT_EQ(Open().sample, each.sample);
  }
}

TEST_F(ConfigDialog, ALoadErrorIsShownAndTheDialogOpensAsFarAsItGot) {
  addin_.SetVisibility("1x" + std::string(19, '1'));
  ScriptedConfigView& view = Open();
  EXPECT_THAT(addin_.MessageTexts(), ::testing::ElementsAre("Type mismatch"));
  EXPECT_THAT(MessageFlags(), ::testing::ElementsAre(platform::vbOKOnly));
  std::vector<bool> ticked(21, false);
  ticked[0] = true;
  EXPECT_EQ(view.itemChecks[Control::lstVisiblity], ticked);
  EXPECT_TRUE(view.enabled[Control::cmdApply]);
}

}  // namespace
}  // namespace tabulara::testing
