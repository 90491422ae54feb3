// Tabulara.dll driven the way the spreadsheet host drives it, through real
// COM: registered by regsvr32, found by its add-in key and ProgID, its
// menus, clicks and events going through IDispatch and connection points.
// The scenarios are those the add-in also runs in process.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "automation_host/automation_host.h"
#include "automation_host/event_source.h"
#include "automation_host/host_object.h"
#include "automation_host/message_boxes.h"
#include "classes_root_view.h"
#include "platform/win32/registry_key.h"
#include "platform/win32/text_encoding.h"
#include "two_hosts/addin_driver.h"

namespace tabulara::automation {
namespace {

constexpr const wchar_t* kAddInKey = L"Software\\Microsoft\\Office\\Excel\\Addins\\Quorvel.Gridwright";
constexpr const wchar_t* kSettingsKey = L"Software\\VB and VBA Program Settings\\Quorvel.Gridwright";

// The DLL under test, copied into a folder of its own: the installation
// folder, where the add-in's start-up writes.
const std::wstring& DllPath() {
  static const std::wstring path = [] {
    wchar_t given[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TABULARA_DLL", given, MAX_PATH);
    const auto folder =
        std::filesystem::temp_directory_path() / ("tabulara-com-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(given, folder / "Tabulara.dll", std::filesystem::copy_options::overwrite_existing);
    return (folder / "Tabulara.dll").wstring();
  }();
  return path;
}

// Runs Wine's regsvr32 on the DLL; true when it succeeded.
bool Regsvr32(bool unregister) {
  std::wstring command = std::wstring(L"regsvr32.exe /s ") + (unregister ? L"/u " : L"") + L"\"" + DllPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code == 0;
}

using platform::win32::RegistryKey;

bool KeyExists(const std::wstring& path) { return RegistryKey::Open(HKEY_CURRENT_USER, path).has_value(); }

std::wstring Text(const std::wstring& path, const wchar_t* name) {
  const auto key = RegistryKey::Open(HKEY_CURRENT_USER, path);
  return key ? key->Text(name).value_or(L"(none)") : L"(none)";
}

std::optional<DWORD> Number(const std::wstring& path, const wchar_t* name) {
  const auto key = RegistryKey::Open(HKEY_CURRENT_USER, path);
  return key ? key->Number(name) : std::nullopt;
}

// The top keys of the user's classes that the registration writes.
std::vector<std::wstring> ClassKeys() {
  std::vector<std::wstring> keys;
  for (const wchar_t* progId : {L"Quorvel.Gridwright", L"Quorvel.Formula"}) {
    keys.push_back(progId);
    keys.push_back(L"CLSID\\" + Text(std::wstring(L"Software\\Classes\\") + progId + L"\\CLSID", L""));
  }
  return keys;
}

class Registered : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(Regsvr32(false));
    view_ = std::make_unique<ClassesRootView>(L"Quorvel.Gridwright", ClassKeys());
  }
  void TearDown() override {
    view_.reset();
    Regsvr32(true);
  }

 private:
  std::unique_ptr<ClassesRootView> view_;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new Registered);

// regsvr32 writes the classes, the ProgIDs, the type library and the add-in
// key, and takes away exactly that: a neighbour's add-in key stays, and so
// does Office's connection interface.
TEST(Registration, Regsvr32WritesAndRemovesExactlyTheAddInsKeys) {
  const std::wstring neighbour = L"Software\\Microsoft\\Office\\Excel\\Addins\\Other.Addin";
  RegistryKey::Create(HKEY_CURRENT_USER, neighbour);
  ASSERT_TRUE(Regsvr32(false));
  EXPECT_EQ(Text(kAddInKey, L"FriendlyName"), L"Grid Wright");
  EXPECT_EQ(Text(kAddInKey, L"Description"), L"Grid Wright");
  EXPECT_EQ(Number(kAddInKey, L"LoadBehavior"), std::optional<DWORD>(3));
  for (const wchar_t* progId : {L"Quorvel.Gridwright", L"Quorvel.Formula"}) {
    const std::wstring clsid = Text(std::wstring(L"Software\\Classes\\") + progId + L"\\CLSID", L"");
    EXPECT_EQ(Text(L"Software\\Classes\\CLSID\\" + clsid + L"\\InprocServer32", L""), DllPath()) << progId;
  }
  EXPECT_FALSE(KeyExists(L"Software\\Classes\\Interface\\{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}"));
  const std::vector<std::wstring> found = AutomationHost::StartupAddIns();
  EXPECT_NE(std::find(found.begin(), found.end(), L"Quorvel.Gridwright"), found.end());

  ASSERT_TRUE(Regsvr32(true));
  for (const wchar_t* gone :
       {kAddInKey, L"Software\\Classes\\Quorvel.Gridwright", L"Software\\Classes\\Quorvel.Formula"}) {
    EXPECT_FALSE(KeyExists(gone)) << gone;
  }
  EXPECT_TRUE(KeyExists(neighbour));
  RegistryKey::DeleteTree(HKEY_CURRENT_USER, neighbour);
  ASSERT_TRUE(Regsvr32(false));
}

// The add-in in the DLL, found and connected as the host finds add-ins;
// each driver starts with no stored settings.
class ComDriver : public testing::AddinDriver {
 public:
  ComDriver() { RegistryKey::DeleteTree(HKEY_CURRENT_USER, kSettingsKey); }
  ~ComDriver() override { RegistryKey::DeleteTree(HKEY_CURRENT_USER, kSettingsKey); }

  embedded::EmbeddedHost& host() override { return com_.host(); }
  void Connect(int connectMode) override {
    const std::vector<std::wstring> addIns = AutomationHost::StartupAddIns();
    ASSERT_EQ(std::count(addIns.begin(), addIns.end(), L"Quorvel.Gridwright"), 1);
    com_.Load(L"Quorvel.Gridwright");
    com_.Connect(static_cast<ext_ConnectMode>(connectMode));
  }
  void StartupComplete() override { com_.StartupComplete(); }
  void Disconnect() override {
    com_.Disconnect();
    com_.Unload();
    // Only the host's own Application is left, and no sink.
    EXPECT_EQ(HostObject::Live(), 1);
    EXPECT_EQ(ConnectionPoint::Live(), 0);
  }
  bool Click(const std::vector<std::string>& path) override {
    ConnectionPoint::TakeSinkFailure();
    com_.Click(path);
    return SUCCEEDED(ConnectionPoint::TakeSinkFailure());
  }
  void WriteSetting(const std::string& section, const std::string& key, const std::string& value) override {
    auto settings = RegistryKey::Create(HKEY_CURRENT_USER,
                                        std::wstring(kSettingsKey) + L"\\" + platform::win32::Widen(section));
    ASSERT_TRUE(settings && settings->SetText(platform::win32::Widen(key), platform::win32::Widen(value)));
  }

  std::vector<std::string> MessageTexts() override { return messages_.texts(); }
  AutomationHost& com() { return com_; }

 private:
  AutomationHost com_;
  MessageBoxWatch messages_;
};

class ThroughCom : public ::testing::TestWithParam<testing::Scenario> {};

TEST_P(ThroughCom, Scenario) {
  ComDriver driver;
  GetParam().run(driver);
}

INSTANTIATE_TEST_SUITE_P(TwoHosts, ThroughCom, ::testing::ValuesIn(testing::Scenarios()),
                         [](const auto& info) { return std::string(info.param.name); });

// Formula as the host loads an automation add-in: listed and installed in
// the host's add-ins, created by its ProgID, its functions called by name
// through IDispatch. A cell passed as itself is read by its value; a value
// that is no date gives #VALUE!; NonStaticRand answers a number in [0, 1).
TEST(WorksheetFunctions, FormulaAsAnAutomationAddIn) {
  ComDriver driver;
  driver.com().KnowAutomationClass("Quorvel.Formula");
  driver.host().NewWorkbook({"Data"});
  auto& sheet = driver.host().Sheet("Data");
  driver.host().SetValue(sheet, "A1", host::Variant(host::Date{29000}));
  driver.host().SetValue(sheet, "A2", host::Variant(true));
  // NonStaticRand marks its cell volatile through the connected add-in.
  driver.Connect(ext_cm_AfterStartup);
  driver.host().Application()->AddIns()->Add("Quorvel.Formula", false)->Installed(true);
  auto installed = driver.host().addIns().CreateInstalled();
  ASSERT_EQ(installed.size(), 1u);
  embedded::AutomationServer& formula = *installed.front();
  EXPECT_EQ(formula.Methods(), (std::vector<std::string>{"Age", "NonStaticRand"}));
  const auto cell = [&](const char* reference) {
    auto active = std::dynamic_pointer_cast<host::Worksheet>(driver.host().Application()->ActiveSheet().value());
    return host::Variant(host::Ref<host::Object>(active->Range(reference)));
  };
  const host::Variant age = formula.Invoke("Age", {cell("A1")});
  ASSERT_TRUE(age.IsNumber());
  EXPECT_GT(age.AsNumber(), 40);
  EXPECT_EQ(formula.Invoke("Age", {cell("A2")}), host::Variant(host::ErrorValue{2015}));
  const host::Variant random = formula.Invoke("NonStaticRand", {});
  ASSERT_TRUE(random.IsNumber());
  EXPECT_GE(random.AsNumber(), 0.0);
  EXPECT_LT(random.AsNumber(), 1.0);
  installed.clear();
  driver.Disconnect();
}

}  // namespace
}  // namespace tabulara::automation
