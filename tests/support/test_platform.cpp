#include "support/test_platform.h"

#include <unistd.h>

#include <atomic>
#include <fstream>

namespace tabulara::testing {
namespace {

std::filesystem::path FreshFolder() {
  static std::atomic<int> counter = 0;
  auto folder = std::filesystem::temp_directory_path() /
                ("tabulara-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

TestPlatform::TestPlatform(const std::string& locale)
    : root(FreshFolder()), installFolder(root / "install"), configHome(root / "config"), programFolder(root / "bin") {
  std::filesystem::create_directories(installFolder);
  std::filesystem::create_directories(programFolder);
  platform::posix::PosixOptions options;
  options.installFolder = installFolder;
  options.configHome = configHome;
  options.locale = locale;
  options.messageBoxes = [this](const platform::posix::MessageBoxRequest& request) {
    messages.push_back(request);
    if (answers.empty()) return platform::posix::DefaultAnswer(request.flags);
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  };
  options.clock = [this] { return now.value_or(std::time(nullptr)); };
  options.programSearchPath = programFolder.string();
  options.registry = [this](platform::RegistryRoot root, const std::string& key, const std::string& valueName) {
    const char* rootName = root == platform::RegistryRoot::CurrentUser ? "HKCU" : "HKLM";
    const auto found = registry.find(std::string(rootName) + "\\" + key + "\\" + valueName);
    return found == registry.end() ? std::nullopt : std::optional<std::string>(found->second);
  };
  options.startProgram = [this](const std::vector<std::string>& arguments) { started.push_back(arguments); };
  options.fontFamilies = [this] { return fontFamilies; };
  options.configDialogs = [this] { return configDialog; };
  options.aboutDialogs = [this] { return aboutDialog; };
  platform_ = std::make_shared<platform::posix::PosixPlatform>(std::move(options));
  platform::Install(platform_);
}

TestPlatform::~TestPlatform() {
  platform::Install(nullptr);
  std::filesystem::remove_all(root);
}

void TestPlatform::SetToday(int year, int month, int day) {
  std::tm noon{};
  noon.tm_year = year - 1900;
  noon.tm_mon = month - 1;
  noon.tm_mday = day;
  noon.tm_hour = 12;
  noon.tm_isdst = -1;
  now = std::mktime(&noon);
}

void TestPlatform::WriteInstallFile(const std::string& name, const std::string& content) const {
  std::ofstream(installFolder / name, std::ios::binary) << content;
}

void TestPlatform::AddProgram(const std::string& name) const {
  const auto program = programFolder / name;
  std::ofstream(program) << "";
  std::filesystem::permissions(program, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
}

}  // namespace tabulara::testing
