#include "com/registration.h"

#include <olectl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "com/module.h"
#include "platform/win32/registry_key.h"
#include "quorvel.h"

namespace tabulara::com {
namespace {

using platform::win32::RegistryKey;

constexpr const wchar_t* kClassesRoot = L"Software\\Classes\\";
constexpr const wchar_t* kTypeLibraryVersion = L"1.0";
// The type library's marshaller, for dual interfaces across apartments.
constexpr const wchar_t* kOleAutomationMarshaller = L"{00020424-0000-0000-C000-000000000046}";

// A creatable class; `interfaceName` names its default interface when the
// library defines it (Gridwright's belongs to Office, which registers it).
struct CreatableClass {
  const CLSID& clsid;
  const IID& defaultInterface;
  const wchar_t* interfaceName;
  const wchar_t* progId;
};

const CreatableClass kClasses[] = {
    {CLSID_Gridwright, IID__IDTExtensibility2, nullptr, L"Quorvel.Gridwright"},
    {CLSID_Formula, IID__Formula, L"_Formula", L"Quorvel.Formula"},
};

// The host's per-user list of COM add-ins.
constexpr const wchar_t* kAddInKey = L"Software\\Microsoft\\Office\\Excel\\Addins\\Quorvel.Gridwright";
constexpr const wchar_t* kAddInName = L"Grid Wright";
constexpr DWORD kLoadAtStartup = 3;

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// A value written under a key below Software\Classes.
struct Entry {
  std::wstring key;
  std::wstring name;
  std::wstring value;
};

// The top keys RegisterServer creates, each removed whole.
std::vector<std::wstring> TopKeys() {
  std::vector<std::wstring> keys;
  for (const auto& created : kClasses) {
    keys.push_back(L"CLSID\\" + GuidText(created.clsid));
    keys.push_back(created.progId);
    if (created.interfaceName != nullptr) keys.push_back(L"Interface\\" + GuidText(created.defaultInterface));
  }
  keys.push_back(L"TypeLib\\" + GuidText(LIBID_Quorvel));
  return keys;
}

std::vector<Entry> Entries() {
  const std::wstring path = ModulePath();
  const std::wstring library = GuidText(LIBID_Quorvel);
  const std::wstring libraryKey = L"TypeLib\\" + library + L"\\" + kTypeLibraryVersion;
  const wchar_t* platformName = sizeof(void*) == 8 ? L"win64" : L"win32";
  std::vector<Entry> entries = {
      {libraryKey, L"", L"Tabulara"},
      {libraryKey + L"\\0\\" + platformName, L"", path},
      {libraryKey + L"\\FLAGS", L"", L"0"},
      {libraryKey + L"\\HELPDIR", L"", std::filesystem::path(path).parent_path().wstring()},
  };
  for (const auto& created : kClasses) {
    const std::wstring classKey = L"CLSID\\" + GuidText(created.clsid);
    const std::wstring interfaceKey = L"Interface\\" + GuidText(created.defaultInterface);
    const std::vector<Entry> classEntries = {
        {classKey, L"", created.progId},
        {classKey + L"\\InprocServer32", L"", path},
        {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {classKey + L"\\ProgID", L"", created.progId},
        {classKey + L"\\TypeLib", L"", library},
        {classKey + L"\\VERSION", L"", kTypeLibraryVersion},
        {classKey + L"\\Programmable", L"", L""},
        {created.progId, L"", created.progId},
        {std::wstring(created.progId) + L"\\CLSID", L"", GuidText(created.clsid)},
    };
    entries.insert(entries.end(), classEntries.begin(), classEntries.end());
    if (created.interfaceName == nullptr) continue;
    const std::vector<Entry> interfaceEntries = {
        {interfaceKey, L"", created.interfaceName},
        {interfaceKey + L"\\ProxyStubClsid", L"", kOleAutomationMarshaller},
        {interfaceKey + L"\\ProxyStubClsid32", L"", kOleAutomationMarshaller},
        {interfaceKey + L"\\TypeLib", L"", library},
        {interfaceKey + L"\\TypeLib", L"Version", kTypeLibraryVersion},
    };
    entries.insert(entries.end(), interfaceEntries.begin(), interfaceEntries.end());
  }
  return entries;
}

bool Write(const Entry& entry) {
  auto key = RegistryKey::Create(HKEY_CURRENT_USER, kClassesRoot + entry.key);
  return key && key->SetText(entry.name, entry.value);
}

bool WriteAddInKey() {
  auto key = RegistryKey::Create(HKEY_CURRENT_USER, kAddInKey);
  return key && key->SetText(L"FriendlyName", kAddInName) && key->SetText(L"Description", kAddInName) &&
         key->SetNumber(L"LoadBehavior", kLoadAtStartup);
}

}  // namespace

HRESULT RegisterServer() {
  for (const auto& entry : Entries()) {
    if (!Write(entry)) {
      UnregisterServer();
      return SELFREG_E_CLASS;
    }
  }
  if (!WriteAddInKey()) {
    UnregisterServer();
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT UnregisterServer() {
  HRESULT result = S_OK;
  if (!RegistryKey::DeleteTree(HKEY_CURRENT_USER, kAddInKey)) result = SELFREG_E_CLASS;
  for (const auto& key : TopKeys()) {
    if (!RegistryKey::DeleteTree(HKEY_CURRENT_USER, kClassesRoot + key)) result = SELFREG_E_CLASS;
  }
  return result;
}

}  // namespace tabulara::com
