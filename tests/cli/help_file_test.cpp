#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

namespace tabulara::testing {
namespace {

const std::filesystem::path kHelpFile = std::filesystem::path(TABULARA_PROGRAM).parent_path() / "Help.chm";
const std::filesystem::path kHelpSources = std::filesystem::path(TABULARA_RESOURCES) / "help";

// The files the help project lists under [FILES].
std::set<std::string> ProjectFiles() {
  std::ifstream project(kHelpSources / "Help.hhp");
  std::set<std::string> files;
  bool listing = false;
  for (std::string line; std::getline(project, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      listing = line == "[FILES]";
    } else if (listing && !line.empty()) {
      files.insert("/" + line);
    }
  }
  return files;
}

// Every page of the project is in the compiled file, as Debian's CHM reader
// lists it, and every page there has its source.
TEST(HelpFile, HoldsEveryPageOfItsProject) {
  if (std::system("command -v enum_chmLib >/dev/null 2>&1") != 0) GTEST_SKIP() << "enum_chmLib is not installed";
  ASSERT_TRUE(std::filesystem::exists(kHelpFile));
  const std::string command = "enum_chmLib '" + kHelpFile.string() + "'";
  const std::unique_ptr<FILE, int (*)(FILE*)> listing(popen(command.c_str(), "r"), pclose);
  ASSERT_NE(listing, nullptr);
  std::set<std::string> pages;
  char line[512];
  while (std::fgets(line, sizeof line, listing.get()) != nullptr) {
    const std::string text(line);
    const auto name = text.find("normal file\t\t/");
    if (name == std::string::npos) continue;
    std::string page = text.substr(name + 13);
    page.erase(page.find_last_not_of("\r\n") + 1);
    if (page.ends_with(".html") || page.ends_with(".css")) pages.insert(page);
  }
  const std::set<std::string> expected = ProjectFiles();
  EXPECT_EQ(pages, expected);
  for (const std::string& page : expected) {
    EXPECT_TRUE(std::filesystem::exists(kHelpSources / page.substr(1))) << page;
  }
}

}  // namespace
}  // namespace tabulara::testing
