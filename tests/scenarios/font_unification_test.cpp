#include <gtest/gtest.h>

#include <map>

#include "settings/user_settings.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using embedded::model::Font;
using embedded::model::SheetKind;
using testing::AddinHarness;

const Font kItalicTimes{"Times New Roman", 8, false, true};

// "Data" with an italic cell, a protected worksheet, a chart sheet, and a
// second workbook that is not active.
class FontUnification : public ::testing::Test {
 protected:
  FontUnification()
      : book_(addin_.StartWith({"Data", "Locked"})),
        data_(addin_.host.Sheet("Data")),
        locked_(addin_.host.Sheet("Locked")) {
    addin_.host.SetFont(data_, "A1", kItalicTimes);
    addin_.host.SetValue(data_, "C5", 1.0);
    addin_.host.SetFont(locked_, "A1", kItalicTimes);
    addin_.host.ProtectSheet(locked_);
    addin_.host.AddSheet(book_, "Chart1", SheetKind::Chart);
    embedded::model::Workbook& other = addin_.host.NewWorkbook({"Other"});
    addin_.host.SetFont(addin_.host.Sheet(other, "Other"), "A1", kItalicTimes);
    other_ = &addin_.host.Sheet(other, "Other");
    addin_.host.Activate(data_);
  }

  void Settings(const std::map<std::string, std::string>& settings) {
    for (const auto& [key, value] : settings) settings::WriteSetting("FontSetting", key, value);
  }
  std::vector<std::string> Log() { return addin_.host.model().settingsLog; }

  AddinHarness addin_;
  embedded::model::Workbook& book_;
  embedded::model::Sheet& data_;
  embedded::model::Sheet& locked_;
  embedded::model::Sheet* other_ = nullptr;
};

TEST_F(FontUnification, EachSwitchAppliesItsPartToEveryCellOfTheUnprotectedWorksheets) {
  struct Case {
    std::map<std::string, std::string> settings;
    Font expected;
  };
  const Case cases[] = {
      {{}, kItalicTimes},
      {{{"SameFontSize", "1"}, {"FontSize", "12"}}, {"Times New Roman", 12, false, true}},
      {{{"SameFontStyle", "1"}, {"FontBold", "1"}, {"FontItalic", "0"}}, {"Times New Roman", 8, true, false}},
      {{{"SameFontName", "True"}}, {"Arial", 8, false, true}},
      {{{"SameFontName", "-1"}, {"FontName", "Verdana"}, {"SameFontSize", "1"}, {"FontSize", "12.5"}},
       {"Verdana", 12, false, true}},
  };
  for (const Case& c : cases) {
    AddinHarness addin;
    embedded::model::Workbook& book = addin.StartWith({"Data"});
    embedded::model::Sheet& data = addin.host.Sheet(book, "Data");
    addin.host.SetFont(data, "A1", kItalicTimes);
    addin.host.SetFont(data, "Z100", kItalicTimes);
    for (const auto& [key, value] : c.settings) settings::WriteSetting("FontSetting", key, value);
    addin.Click("Unify Sheets Font");
    EXPECT_EQ(addin.host.Font(data, "A1"), c.expected);
    EXPECT_EQ(addin.host.Font(data, "Z100"), c.expected);
    EXPECT_TRUE(addin.MessageTexts().empty());
  }
}

TEST_F(FontUnification, ProtectedChartAndInactiveSheetsStayAndCellsNeverUsedChangeToo) {
  Settings({{"SameFontName", "1"}, {"SameFontSize", "1"}, {"FontSize", "14"}});
  addin_.Click("Unify Sheets Font");
  const Font arial14{"Arial", 14, false, false};
  EXPECT_EQ(addin_.host.Font(data_, "A1"), (Font{"Arial", 14, false, true}));
  EXPECT_EQ(addin_.host.Font(data_, "C5"), arial14);
  EXPECT_EQ(addin_.host.Font(data_, "XFD1048576"), arial14);
  EXPECT_EQ(addin_.host.Font(locked_, "A1"), kItalicTimes);
  EXPECT_EQ(addin_.host.Font(*other_, "A1"), kItalicTimes);
  EXPECT_EQ(Log(), (std::vector<std::string>{"ScreenUpdating=False", "ScreenUpdating=True"}));
  EXPECT_TRUE(addin_.MessageTexts().empty());
}

// The message is the error alone, under the add-in's title.
TEST_F(FontUnification, AnErrorStopsTheLoopAndShowsItsTextAlone) {
  Settings({{"SameFontSize", "1"}, {"FontSize", "big"}});
  addin_.Click("Unify Sheets Font");
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"Type mismatch"});
  EXPECT_EQ(addin_.platform.messages.back().flags, 48);
  EXPECT_EQ(addin_.platform.messages.back().title, "Tabulara");
  EXPECT_EQ(Log(), std::vector<std::string>{"ScreenUpdating=True"});

  addin_.host.UnprotectSheet(locked_);
  addin_.host.model().settingsLog.clear();
  Settings({{"FontSize", "12"}});
  addin_.host.runtime().FailOn("Font.Size.Put", host::HostError(1004, "refused"), 1);
  addin_.Click("Unify Sheets Font");
  EXPECT_EQ(addin_.MessageTexts().back(), "refused");
  EXPECT_EQ(addin_.host.Font(data_, "C5").size, 12);
  EXPECT_EQ(addin_.host.Font(locked_, "A1").size, 8);
  EXPECT_EQ(Log(), (std::vector<std::string>{"ScreenUpdating=False", "ScreenUpdating=True"}));
}

// Every save first takes the spotter lines off the saved workbook, then
// unifies the active workbook when asked to; the save always goes ahead.
TEST_F(FontUnification, BeforeSaveUnifiesTheActiveWorkbookOnlyWhenAsked) {
  Settings({{"SameFontSize", "1"}, {"FontSize", "12"}});
  addin_.host.AddShape(data_, embedded::model::ShapeKind::Line, "Quorv@elLine1");
  addin_.host.AddShape(locked_, embedded::model::ShapeKind::Line, "Quorv@elLine2");
  embedded::model::Workbook& other = addin_.host.WorkbookOf(*other_);
  addin_.host.AddShape(*other_, embedded::model::ShapeKind::Line, "Quorv@elLine3");
  EXPECT_FALSE(addin_.host.BeforeSave(other));
  EXPECT_TRUE(addin_.host.ShapeNames(*other_).empty());
  EXPECT_EQ(addin_.host.ShapeNames(data_).size(), 1u);
  EXPECT_EQ(addin_.host.Font(data_, "C5").size, 11);

  Settings({{"BeforeSave", "1"}});
  EXPECT_FALSE(addin_.host.BeforeSave(other));
  EXPECT_EQ(addin_.host.Font(data_, "C5").size, 12);
  EXPECT_EQ(addin_.host.Font(*other_, "A1").size, 8);

  Settings({{"BeforeSave", "sometimes"}});
  EXPECT_FALSE(addin_.host.BeforeSave(book_));
  EXPECT_TRUE(addin_.host.ShapeNames(data_).empty());
  EXPECT_EQ(addin_.host.ShapeNames(locked_), std::vector<std::string>{"Quorv@elLine2"});
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"Error!\r\n\r\nType mismatch"});
}

}  // namespace
}  // namespace tabulara::addin
