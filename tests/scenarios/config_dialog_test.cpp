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
  std::optional<std::string> Font(const std::string& key) { return Stored("FontSetting", key); }
  std::optional<std::string> General(const std::string& key) { return Stored("GeneralSetting", key); }
  std::optional<std::string> Stored(const std::string& section, const std::string& key) {
    return addin_.platform.platform().GetSetting(kApp, section, key);
  }
  // The keys of `keys` that are stored, with their values.
  Settings Section(const std::string& section, std::initializer_list<const char*> keys) {
    Settings stored;
    for (const char* key : keys) {
      if (auto value = Stored(section, key)) stored[key] = *value;
    }
    return stored;
  }

  static constexpr const char* kApp = "Quorvel.Gridwright";
  AddinHarness addin_;
  std::shared_ptr<ScriptedConfigView> view_;
};

TEST_F(ConfigDialog, OpensWithTheDefaultsWhenNothingIsStoredAndCancelStoresNothing) {
  ScriptedConfigView& view = Open([](ScriptedConfigView& v) {
    EXPECT_FALSE(v.enabled[Control::cmdApply]);
    EXPECT_THAT(v.checked, ::testing::Each(::testing::Pair(::testing::_, false)));
    v.UserType("a");  // discarded
    EXPECT_FALSE(v.enabled[Control::cmdApply]);
    v.UserType("\b");
    EXPECT_TRUE(v.enabled[Control::cmdApply]);
    v.UserClick(Control::chkCommentStyle);
    v.UserClick(Control::cmdCancel);
  });
  EXPECT_EQ(view.captions[Control::Form], "Configuration");
  EXPECT_EQ(view.captions[Control::TabFont], "Unify Sheets Font");
  EXPECT_THAT(view.items[Control::lstFont], ::testing::ElementsAre("Arial", "Courier New", "MS Gothic", "Verdana"));
  EXPECT_EQ(view.itemChecks[Control::lstVisiblity], std::vector<bool>(21, true));
  EXPECT_EQ(view.selected[Control::lstFont], 0);  // Arial
  EXPECT_EQ(view.texts[Control::cmbStyle], "Regular");
  EXPECT_EQ(view.texts[Control::cmbSize], "1");
  // "ABC" at 10 points is 30 wide and 20 high in the 100 x 40 area.
  EXPECT_THAT(view.sample, ::testing::ElementsAre("ABC@35,10"));
  EXPECT_EQ(view.tab, 0);
  EXPECT_TRUE(view.closed);
  EXPECT_TRUE(Section("GeneralSetting", {"CommentStyle", "Visibility"}).empty());
}

TEST_F(ConfigDialog, FontChecksRunInOrderAndTheFirstFailureNamesItsControl) {
  struct Case {
    const char* family;
    const char* style;
    const char* size;
    const char* message;  // none: stored
    Control focus = Control::cmbSize;
  };
  const Case cases[] = {
      {"Not Installed", " ", " ", "Please specify the font family.", Control::lstFont},
      {"Arial", " ", "", "Please specify the font style.", Control::cmbStyle},
      {"Arial", "Bold", "  ", "Please specify the font size."},
      {"Arial", "Bold", "ten", "Invalid font size."},
      {"Arial", "Bold", "5", "Invalid font size."},
      {"Arial", "Bold", "73", "Invalid font size."},
      {"Arial", "Bold", "10000", "Invalid font size."},
      {"Arial", "Bold", "4.5", "Invalid font size."},
      {"Arial", "Bold", "5.5", nullptr},  // counts as 6
      {"Arial", "Bold", "72.5", nullptr},
      {"Arial", "Bold", "11.5", nullptr},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(std::string(each.style) + each.size);
    Forget();
    addin_.platform.messages.clear();
    Store("FontSetting", {{"FontName", each.family}});
    ScriptedConfigView& view = Open([&](ScriptedConfigView& v) {
      v.UserClick(Control::chkBeforeSave);
      v.UserPaste(Control::cmbStyle, each.style);
      v.UserPaste(Control::cmbSize, each.size);
      v.ShowTab(1);
      v.UserClick(Control::cmdApply);
    });
    EXPECT_EQ(view.enabled[Control::cmdApply], each.message != nullptr);
    if (!each.message) {
      EXPECT_TRUE(addin_.MessageTexts().empty());
      EXPECT_EQ(Font("FontSize"), each.size);  // as typed
      continue;
    }
    EXPECT_THAT(addin_.MessageTexts(), ::testing::ElementsAre(each.message));
    EXPECT_EQ(addin_.platform.messages.front().flags, platform::vbQuestion);
    EXPECT_EQ(addin_.platform.messages.front().title, "Tabulara");
    EXPECT_EQ(view.focus, each.focus);
    EXPECT_EQ(Font("BeforeSave"), std::nullopt);
  }
}

TEST_F(ConfigDialog, OkKeepsTheDialogOpenWhileTheTypedSizeIsInvalid) {
  ScriptedConfigView& view = Open([](ScriptedConfigView& v) {
    v.UserType("\b\b73");
    v.UserClick(Control::cmdOK);
    EXPECT_FALSE(v.closed);
    v.UserChoose(Control::cmbSize, "72");
    v.UserClick(Control::cmdOK);
  });
  EXPECT_THAT(addin_.MessageTexts(), ::testing::ElementsAre("Invalid font size."));
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(Font("FontSize"), "72");
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
      v.ShowTab(each.tab);
      v.UserClick(Control::cmdApply);
      v.UserClick(Control::cmdCancel);
    });
    EXPECT_FALSE(view.enabled[Control::cmdApply]);
    EXPECT_EQ(Section("GeneralSetting", {"CommentStyle", "CellSpotter", "Formula", "Visibility"}), each.general);
    EXPECT_EQ(Section("FontSetting", {"BeforeSave", "SameFontName", "SameFontStyle", "SameFontSize", "FontName",
                                      "FontSize", "FontBold", "FontItalic"}),
              each.font);
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
  for (const Case& each : {Case{"0", "-1", "Italic"}, Case{"-1", "0", "Bold"}, Case{"1", "-1", "Regular"}}) {
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
  EXPECT_EQ(addin_.platform.messages.front().flags, platform::vbOKOnly);
  std::vector<bool> ticked(21, false);
  ticked[0] = true;
  EXPECT_EQ(view.itemChecks[Control::lstVisiblity], ticked);
  EXPECT_TRUE(view.enabled[Control::cmdApply]);
}

}  // namespace
}  // namespace tabulara::testing
