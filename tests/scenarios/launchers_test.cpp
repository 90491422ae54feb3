#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "platform/platform.h"
#include "support/connected_addin.h"

namespace tabulara::addin {
namespace {

using testing::AddinHarness;

constexpr const char* kSkype = "HKCU\\SOFTWARE\\Skype\\Phone\\SkypePath";
constexpr const char* kYahoo = "HKLM\\SOFTWARE\\Yahoo\\Essentials\\MainDir";
constexpr const char* kMsn = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSNMSGR.EXE\\Path";
constexpr const char* kDocuments =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\Personal";

// One click on a launcher, with "@" in texts standing for the test's folder.
// The catalogue's texts lose their trailing blanks as every profile value
// does; the fixed texts keep them.
struct LauncherCase {
  const char* item;
  std::map<std::string, std::string> registry;
  std::vector<std::string> programs;  // executables on the program search path
  std::vector<std::string> files;     // files made below the test's folder
  std::vector<std::string> started;   // the arguments of the one program started
  std::string message = {};           // the one box shown, titled "Tabulara" unless plain
  int flags = platform::vbInformation;
};

void PrintTo(const LauncherCase& launch, std::ostream* out) { *out << launch.item; }

std::string Placed(std::string text, const std::string& root) {
  for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, root);
  return text;
}

class Launchers : public ::testing::TestWithParam<LauncherCase> {
 protected:
  Launchers() { addin_.StartWith({"Sheet1"}); }

  void Click(const std::string& item) {
    const bool onMainMenu = item == "Help...";
    addin_.host.commandBars().Click(onMainMenu ? std::vector<std::string>{"Worksheet Menu Bar", "Tabulara", item}
                                               : std::vector<std::string>{"Worksheet Menu Bar", "Tabulara",
                                                                          "Miscellaneous", item});
  }

  AddinHarness addin_;
  const std::string root_ = addin_.platform.root.string();
};

TEST_P(Launchers, StartWhatTheyFindOrSayWhatIsMissing) {
  const LauncherCase& launch = GetParam();
  for (const auto& [location, value] : launch.registry) addin_.platform.registry[location] = Placed(value, root_);
  for (const auto& program : launch.programs) addin_.platform.AddProgram(program);
  for (const auto& file : launch.files) {
    const std::filesystem::path path = Placed(file, root_);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "";
  }
  Click(launch.item);

  std::vector<std::vector<std::string>> started;
  if (!launch.started.empty()) started.emplace_back();
  for (const auto& argument : launch.started) started.back().push_back(Placed(argument, root_));
  EXPECT_EQ(addin_.platform.started, started);
  const auto& shown = addin_.platform.messages;
  ASSERT_EQ(shown.size(), launch.message.empty() ? 0U : 1U);
  if (shown.empty()) return;
  EXPECT_EQ(shown[0].text, Placed(launch.message, root_));
  EXPECT_EQ(shown[0].flags, launch.flags);
  const bool plain = launch.flags == platform::vbOKOnly;
  EXPECT_EQ(shown[0].title, plain ? std::nullopt : std::optional<std::string>("Tabulara"));
}

const std::string kNoYahoo = "Failed to find the path of Yahoo Messenger, it might not be installed !";
const std::string kNoSkype = "Failed to find the path of Skype, it might be lost!";
const std::string kFileNotFound = "Error!\r\n\r\nFile not found";

INSTANTIATE_TEST_SUITE_P(
    Items, Launchers,
    ::testing::Values(
        LauncherCase{"Run Yahoo Messeger", {}, {}, {}, {}, kNoYahoo},
        LauncherCase{"Run Yahoo Messeger", {{kYahoo, "@/yahoo"}}, {}, {"@/yahoo/yahoomessenger.exe"}, {}, kNoYahoo},
        // Blanks trimmed; a folder ending in a backslash gets no second one.
        LauncherCase{"Run Yahoo Messeger",
                     {{kYahoo, "  @\\yahoo\\ "}},
                     {},
                     {"@/yahoo/messenger/yahoomessenger.exe"},
                     {"@/yahoo/messenger/yahoomessenger.exe"}},
        LauncherCase{"Run Yahoo Messeger", {{kYahoo, "@/nowhere"}}, {"pidgin"}, {}, {"@/bin/pidgin"}},
        LauncherCase{"Run MSN", {}, {}, {}, {}, "Failed to find the path of MSN, it might not be installed !"},
        LauncherCase{"Run MSN", {{kMsn, "@/msn"}}, {}, {}, {}, kFileNotFound, platform::vbExclamation},
        LauncherCase{"Run MSN", {{kMsn, "@/msn"}}, {}, {"@/msn/MSNMSGR.EXE"}, {"@/msn/MSNMSGR.EXE"}},
        LauncherCase{"Run Skype", {{kSkype, "   "}}, {"skypeforlinux"}, {}, {}, kNoSkype},
        // A path with blanks is started as it is; one that fills the whole
        // buffer is no path, one a character shorter is started (and fails).
        LauncherCase{"Run Skype", {{kSkype, "@/Program Files/Skype.exe"}}, {}, {"@/Program Files/Skype.exe"},
                     {"@/Program Files/Skype.exe"}},
        LauncherCase{"Run Skype", {{kSkype, std::string(255, 'S')}}, {}, {}, {}, kNoSkype},
        LauncherCase{"Run Skype", {{kSkype, std::string(254, 'S')}}, {}, {}, {}, kFileNotFound,
                     platform::vbExclamation},
        LauncherCase{"Help...", {}, {"xdg-open"}, {}, {}, "Unable to find the online help!"},
        LauncherCase{"Help...", {}, {"xdg-open"}, {"@/install/Help.chm"}, {"@/bin/xdg-open", "@/install/Help.chm"}},
        LauncherCase{"Open My Documents", {}, {"xdg-open"}, {}, {}, "Failed to find the path of My Documents! "},
        LauncherCase{"Open My Documents", {{kDocuments, "@/My Files"}}, {}, {}, {}, kFileNotFound,
                     platform::vbExclamation},
        LauncherCase{"Open My Documents", {{kDocuments, "@/My Files"}}, {"xdg-open"}, {},
                     {"@/bin/xdg-open", "@/My Files"}},
        LauncherCase{"Open Installation Folder", {}, {}, {}, {}, "File not found", platform::vbOKOnly},
        LauncherCase{"Open Installation Folder", {}, {"xdg-open"}, {}, {"@/bin/xdg-open", "@/install"}},
        LauncherCase{"Game --> Minesweeper", {}, {}, {}, {},
                     "Unable to find the file \"Winmine.exe\", it might not be installed !"},
        LauncherCase{"Game --> Minesweeper", {}, {"kmines", "gnome-mines"}, {}, {"@/bin/gnome-mines"}},
        LauncherCase{"Visit Veduze Website", {}, {}, {}, {}},
        LauncherCase{"Visit Veduze Website", {}, {"xdg-open"}, {}, {"@/bin/xdg-open", "https://www.veduze.example/"}}));

}  // namespace
}  // namespace tabulara::addin
