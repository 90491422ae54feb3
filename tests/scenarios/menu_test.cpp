#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "settings/ini_value.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using testing::AddinHarness;

class Menu : public ::testing::Test {
 protected:
  Menu() : folder_(addin_.platform.installFolder / "Template") { addin_.host.NewWorkbook({"Sheet1", "Sheet2"}); }

  void AddTemplate(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name) << "template";
  }
  std::string StoredFolder() { return settings::ReadIniValue("OPTIONS", "xltPath", "", ""); }
  std::string DefaultFolder() { return addin_.platform.installFolder.string() + "\\Template\\"; }
  void ClickTemplate(const std::string& name) {
    addin_.host.commandBars().Click({"Worksheet Menu Bar", "Tabulara", "Common Template", name});
  }

  AddinHarness addin_;
  std::filesystem::path folder_;
};

TEST_F(Menu, HoldsEveryItemInOrderWithItsGroupStyleAndFace) {
  addin_.host.clipboard().picture = std::vector<std::uint8_t>{1, 2, 3};
  addin_.Start();
  struct Row {
    const char* caption;
    bool group;
    int style;
    int face;
  };
  const Row rows[] = {
      {"Sheets Name To Upper Case", false, 3, 0}, {"Sheets Name To Lower Case", false, 3, 0},
      {"Capitalize Sheets Name", false, 3, 0}, {"Sheets Sort", false, 3, 0}, {"Create Index", false, 3, 0},
      {"Clear Shapes", true, 3, 508}, {"Clear All", false, 3, 358}, {"Clear Hyperlinks", false, 3, 0},
      {"Trim Cells", true, 3, 0}, {"Convert Formula To Value", false, 3, 0}, {"Cell Spotter", true, 3, 442},
      {"Clear Cell Spotter", false, 3, 0}, {"Unify Sheets Font", true, 3, 0}, {"Miscellaneous", true, 0, 0},
      {"Configuration...", true, 3, 642}, {"Help...", true, 0, 983}, {"About...", true, 0, 0},
      // The items of Miscellaneous; the messengers' faces (1) are pasted through the clipboard.
      {"Run Yahoo Messeger", false, 3, 1}, {"Run MSN", false, 3, 1}, {"Run Skype", false, 3, 1},
      {"Open My Documents", true, 3, 0}, {"Open Installation Folder", false, 3, 0},
      {"Visit Veduze Website", true, 3, 0}, {"Game --> Minesweeper", false, 3, 0},
  };
  auto controls = addin_.Popup().controls;
  ASSERT_EQ(controls.size(), 17u);
  const auto misc = controls[13].controls;
  controls.insert(controls.end(), misc.begin(), misc.end());
  ASSERT_EQ(controls.size(), std::size(rows));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(rows[i].caption);
    EXPECT_EQ(controls[i].caption, rows[i].caption);
    EXPECT_EQ(controls[i].type, i == 13 ? host::msoControlPopup : host::msoControlButton);
    EXPECT_EQ(controls[i].beginGroup, rows[i].group);
    EXPECT_EQ(controls[i].style, rows[i].style);
    EXPECT_EQ(i < 17 ? controls[i].faceId : int{controls[i].pastedFace}, rows[i].face);
    EXPECT_TRUE(controls[i].visible);
  }
  EXPECT_EQ(addin_.host.clipboard().picture, std::nullopt);
  // Without templates there is no template pop-up, yet the default folder is stored.
  EXPECT_EQ(StoredFolder(), DefaultFolder());
}

// The visibility text shows (1) or hides (0) the items by their index, up to a
// character that is no digit or past the last item, which is an error: at
// start-up a load error.
TEST_F(Menu, TheVisibilityTextHidesItemsByTheirIndex) {
  addin_.SetVisibility("  " + std::string(20, '0') + std::string(11, '1') + "  ");
  addin_.Start();
  EXPECT_TRUE(addin_.platform.messages.empty());
  for (const char* hidden : {"Sheets Name To Upper Case", "Create Index", "Clear Hyperlinks", "Trim Cells",
                             "Convert Formula To Value", "Cell Spotter", "Unify Sheets Font", "Run MSN",
                             "Game --> Minesweeper", "Miscellaneous"}) {
    EXPECT_FALSE(addin_.Control(hidden).visible) << hidden;
  }
  for (const char* shown : {"Help...", "Configuration...", "About..."}) EXPECT_TRUE(addin_.Control(shown).visible);

  EXPECT_THROW(gExcelEvents->SetItemVisible(std::string(18, '0') + std::string(14, '1')), host::HostError);
  EXPECT_FALSE(addin_.Control("Sheets Name To Upper Case").visible);
  EXPECT_TRUE(addin_.Control("Miscellaneous").visible);
  EXPECT_TRUE(addin_.Control("Visit Veduze Website").visible);

  addin_.SetVisibility("0x0");
  addin_.StartupComplete();
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"Load error\r\nType mismatch"});
  EXPECT_FALSE(addin_.Control("Sheets Name To Upper Case").visible);
  EXPECT_TRUE(addin_.Control("Capitalize Sheets Name").visible);
}

// A failure stops the build there with a load error; what was built stays
// and the bar is left unprotected.
TEST_F(Menu, AFailureWhileBuildingStopsItWithALoadError) {
  addin_.host.runtime().FailOn("CommandBarButton.PasteFace",
                               host::HostError(-2147467259, "Method 'PasteFace' of object '_CommandBarButton' failed"));
  addin_.Start();
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(addin_.platform.messages.front().text,
            "Load error\r\nMethod 'PasteFace' of object '_CommandBarButton' failed");
  EXPECT_EQ(addin_.platform.messages.front().flags, 16);
  EXPECT_EQ(addin_.platform.messages.front().title, "Tabulara");
  EXPECT_EQ(addin_.Bar("Worksheet Menu Bar").protection, host::msoBarNoProtection);
  const auto items = addin_.Popup().controls;
  ASSERT_EQ(items.size(), 14u);
  EXPECT_EQ(items.back().caption, "Miscellaneous");
  EXPECT_EQ(items.back().controls.size(), 1u);
}

TEST_F(Menu, ListsTheTemplatesOfTheDefaultFolderAndStoresIt) {
  AddTemplate(folder_, "Budget.xlt");
  AddTemplate(folder_, "Invoice.XLT");
  AddTemplate(folder_, "notes.txt");
  AddTemplate(folder_, ".hidden.xlt");
  std::filesystem::create_directories(folder_ / "folder.xlt");
  addin_.Start();

  const auto items = addin_.Popup().controls;
  const auto& templates = items.at(13);
  EXPECT_EQ(templates.caption, "Common Template");
  EXPECT_EQ(templates.type, host::msoControlPopup);
  EXPECT_TRUE(templates.beginGroup);
  EXPECT_EQ(items.at(14).caption, "Miscellaneous");
  std::vector<std::string> captions;
  for (const auto& button : templates.controls) {
    captions.push_back(button.caption);
    EXPECT_EQ(button.style, host::msoButtonIconAndCaption);
  }
  // In the order the file system lists them.
  std::vector<std::string> expected;
  for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
    const std::string name = entry.path().stem().string();
    if (name == "Budget" || name == "Invoice") expected.push_back(name);
  }
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(StoredFolder(), DefaultFolder());
}

// A folder stored without its final backslash is searched and left as stored;
// a template deleted after start-up shows its path.
TEST_F(Menu, ClickingATemplateInsertsItsSheetsBeforeTheActiveSheet) {
  const auto other = addin_.platform.root / "templates";
  AddTemplate(other, "Budget [2024].xlt");
  addin_.platform.WriteInstallFile("Config.ini", "[OPTIONS]\r\nxltPath=" + other.string() + "\r\n");
  std::string loaded;
  addin_.host.SetTemplateLoader([&](const std::string& path) {
    loaded = path;
    auto workbook = std::make_shared<embedded::model::Workbook>();
    workbook->sheets.push_back(std::make_shared<embedded::model::Sheet>());
    workbook->sheets.back()->name = "Budget";
    return workbook;
  });
  addin_.host.Activate(addin_.host.Sheet("Sheet2"));
  addin_.Start();
  ClickTemplate("Budget [2024]");
  EXPECT_EQ(loaded, (other / "Budget [2024].xlt").string());
  EXPECT_EQ(addin_.host.SheetNames(addin_.host.ActiveWorkbook()),
            (std::vector<std::string>{"Sheet1", "Budget", "Sheet2"}));
  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_EQ(StoredFolder(), other.string());

  std::filesystem::remove(other / "Budget [2024].xlt");
  ClickTemplate("Budget [2024]");
  EXPECT_EQ(addin_.MessageTexts(), std::vector<std::string>{"Unable to find the file [ " + other.string() +
                                                            "\\Budget [2024].xlt ], it might be lost!"});
  EXPECT_EQ(addin_.platform.messages.front().flags, 64);
}

TEST_F(Menu, ATemplateNamedLikeAnItemIsFoundFirstByTheVisibilityText) {
  AddTemplate(folder_, "Help....xlt");
  addin_.SetVisibility(std::string(20, '1') + "0");
  addin_.Start();
  const auto items = addin_.Popup().controls;
  EXPECT_FALSE(items.at(13).controls.at(0).visible);
  EXPECT_FALSE(items.at(13).visible);
  EXPECT_EQ(items.at(16).caption, "Help...");
  EXPECT_TRUE(items.at(16).visible);
  // Disconnection empties the template buttons and releases everything.
  addin_.Disconnect();
  EXPECT_TRUE(addin_.MainPopups().empty());
  EXPECT_EQ(addin_.host.runtime().LiveSubscriptions(), 0);
}

}  // namespace
}  // namespace tabulara::addin
