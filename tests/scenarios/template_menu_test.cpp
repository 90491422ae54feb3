#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "settings/ini_value.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using testing::AddinHarness;
using ControlView = embedded::CommandBarSet::ControlView;

class TemplateMenu : public ::testing::Test {
 protected:
  TemplateMenu() {
    addin_.host.NewWorkbook({"Sheet1", "Sheet2"});
    folder_ = addin_.platform.installFolder / "Template";
  }

  void AddTemplate(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name) << "template";
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    const auto popups = addin_.MainPopups();
    for (const auto& control : popups.at(0).controls) captions.push_back(control.caption);
    return captions;
  }
  const ControlView* Templates() {
    popup_ = addin_.MainPopups().at(0);
    for (const auto& control : popup_.controls) {
      if (control.caption == "Common Template") return &control;
    }
    return nullptr;
  }
  // The names of the folder's templates in the order the file system lists them.
  std::vector<std::string> ListedOrder(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      names.push_back(name.substr(0, name.size() - 4));
    }
    return names;
  }

  AddinHarness addin_;
  std::filesystem::path folder_;
  ControlView popup_;
};

TEST_F(TemplateMenu, ListsTheTemplatesOfTheDefaultFolderAndStoresIt) {
  AddTemplate(folder_, "Budget.xlt");
  AddTemplate(folder_, "Invoice.XLT");
  AddTemplate(folder_, "notes.txt");
  AddTemplate(folder_, ".hidden.xlt");
  std::filesystem::create_directories(folder_ / "folder.xlt");
  addin_.Start();

  const auto* templates = Templates();
  ASSERT_NE(templates, nullptr);
  EXPECT_EQ(templates->type, host::msoControlPopup);
  EXPECT_TRUE(templates->beginGroup);
  std::vector<std::string> captions;
  for (const auto& button : templates->controls) {
    captions.push_back(button.caption);
    EXPECT_EQ(button.style, host::msoButtonIconAndCaption);
  }
  std::vector<std::string> expected;
  for (const auto& name : ListedOrder(folder_)) {
    if (name == "Budget" || name == "Invoice") expected.push_back(name);
  }
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(settings::ReadIniValue("OPTIONS", "xltPath", "", ""),
            addin_.platform.installFolder.string() + "\\Template\\");
  const auto all = Captions();
  EXPECT_EQ(all[12], "Unify Sheets Font");
  EXPECT_EQ(all[13], "Common Template");
  EXPECT_EQ(all[14], "Miscellaneous");
}

TEST_F(TemplateMenu, WithoutTemplatesThereIsNoPopupAndTheFolderIsStoredAnyway) {
  addin_.Start();
  EXPECT_EQ(Templates(), nullptr);
  EXPECT_EQ(Captions()[13], "Miscellaneous");
  EXPECT_EQ(settings::ReadIniValue("OPTIONS", "xltPath", "", ""),
            addin_.platform.installFolder.string() + "\\Template\\");
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(TemplateMenu, AFolderWithoutFinalBackslashIsSearchedAndLeftAsStored) {
  const auto other = addin_.platform.root / "templates";
  AddTemplate(other, "Report.xlt");
  addin_.platform.WriteInstallFile("Config.ini", "[OPTIONS]\r\nxltPath=" + other.string() + "\r\n");
  addin_.Start();
  ASSERT_NE(Templates(), nullptr);
  EXPECT_EQ(Templates()->controls.at(0).caption, "Report");
  EXPECT_EQ(settings::ReadIniValue("OPTIONS", "xltPath", "", ""), other.string());
}

TEST_F(TemplateMenu, ClickInsertsTheTemplatesSheetsBeforeTheActiveSheet) {
  AddTemplate(folder_, "Budget.xlt");
  std::string loaded;
  addin_.host.SetTemplateLoader([&](const std::string& path) {
    loaded = path;
    auto workbook = std::make_shared<embedded::model::Workbook>();
    auto sheet = std::make_shared<embedded::model::Sheet>();
    sheet->name = "Budget";
    workbook->sheets.push_back(sheet);
    return workbook;
  });
  addin_.host.Activate(addin_.host.Sheet("Sheet2"));
  addin_.Start();
  addin_.host.commandBars().Click({"Worksheet Menu Bar", "Tabulara", "Common Template", "Budget"});
  EXPECT_EQ(loaded, (folder_ / "Budget.xlt").string());
  EXPECT_EQ(addin_.host.SheetNames(addin_.host.ActiveWorkbook()),
            (std::vector<std::string>{"Sheet1", "Budget", "Sheet2"}));
  EXPECT_TRUE(addin_.platform.messages.empty());
}

TEST_F(TemplateMenu, BracketsInATemplatesNameAreNoPattern) {
  AddTemplate(folder_, "Budget [2024].xlt");
  addin_.host.SetTemplateLoader([](const std::string&) {
    auto workbook = std::make_shared<embedded::model::Workbook>();
    auto sheet = std::make_shared<embedded::model::Sheet>();
    sheet->name = "Budget";
    workbook->sheets.push_back(sheet);
    return workbook;
  });
  addin_.Start();
  addin_.host.commandBars().Click({"Worksheet Menu Bar", "Tabulara", "Common Template", "Budget [2024]"});
  EXPECT_TRUE(addin_.platform.messages.empty());
  EXPECT_EQ(addin_.host.SheetNames(addin_.host.ActiveWorkbook()).size(), 3u);
}

TEST_F(TemplateMenu, ATemplateDeletedAfterStartUpShowsItsPath) {
  AddTemplate(folder_, "Budget.xlt");
  addin_.Start();
  std::filesystem::remove(folder_ / "Budget.xlt");
  addin_.host.commandBars().Click({"Worksheet Menu Bar", "Tabulara", "Common Template", "Budget"});
  ASSERT_EQ(addin_.platform.messages.size(), 1u);
  EXPECT_EQ(addin_.platform.messages.front().text, "Unable to find the file [ " + addin_.platform.installFolder.string() +
                                                       "\\Template\\Budget.xlt ], it might be lost!");
  EXPECT_EQ(addin_.platform.messages.front().flags, 64);
  EXPECT_EQ(addin_.platform.messages.front().title, "Tabulara");
}

TEST_F(TemplateMenu, ATemplateNamedLikeAnItemIsFoundFirstByTheVisibilityText) {
  AddTemplate(folder_, "Help....xlt");
  addin_.platform.platform().SaveSetting("Quorvel.Gridwright", "GeneralSetting", "Visibility",
                                         std::string(20, '1') + "0");
  addin_.Start();
  ASSERT_NE(Templates(), nullptr);
  EXPECT_FALSE(Templates()->controls.at(0).visible);
  EXPECT_FALSE(Templates()->visible);
  const auto popups = addin_.MainPopups();
  for (const auto& control : popups.at(0).controls) {
    if (control.caption == "Help...") {
      EXPECT_TRUE(control.visible);
    }
  }
}

TEST_F(TemplateMenu, DisconnectionEmptiesTheTemplateButtonsAndReleasesEverything) {
  AddTemplate(folder_, "Budget.xlt");
  addin_.Start();
  addin_.Disconnect();
  EXPECT_TRUE(addin_.MainPopups().empty());
  EXPECT_EQ(addin_.host.runtime().LiveSubscriptions(), 0);
}

}  // namespace
}  // namespace tabulara::addin
