// Registers Tabulara.dll (the path is the argument), calls the worksheet
// functions through IDispatch as the host does, unregisters it and checks
// that the registry under HKCU\Software\Classes is as it was. Prints each
// failure; the exit status is the number of failures.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "classes_root_view.h"

namespace {

int failures = 0;

void Check(bool condition, const char* what) {
  if (!condition) {
    std::printf("FAIL: %s\n", what);
    ++failures;
  }
}

// `path` and every key below it, by path.
void CollectKeys(HKEY parent, const std::wstring& path, std::set<std::wstring>& keys) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  keys.insert(path);
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    CollectKeys(parent, path + L"\\" + name, keys);
  }
  RegCloseKey(key);
}

std::set<std::wstring> ClassesKeys() {
  std::set<std::wstring> keys;
  CollectKeys(HKEY_CURRENT_USER, L"Software\\Classes", keys);
  return keys;
}

// The user's class containers that Windows always has and a new Wine prefix
// lacks.
void MakeClassContainers() {
  for (const wchar_t* container : {L"CLSID", L"Interface", L"TypeLib"}) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Classes\\") + container).c_str(), 0, nullptr, 0,
                        KEY_READ, nullptr, &key, nullptr) == ERROR_SUCCESS) {
      RegCloseKey(key);
    }
  }
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// The keys of `keys` whose parent is not in it, below Software\Classes.
std::set<std::wstring> TopKeys(const std::set<std::wstring>& keys) {
  std::set<std::wstring> tops;
  const std::wstring root = L"Software\\Classes\\";
  for (const auto& key : keys) {
    if (keys.count(key.substr(0, key.rfind(L'\\'))) == 0) tops.insert(key.substr(root.size()));
  }
  return tops;
}

HRESULT CallServer(HMODULE dll, const char* entry) {
  auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(dll, entry)));
  return function != nullptr ? function() : E_NOTIMPL;
}

// Calls a method by name with `arguments` (at most one), as the host does.
HRESULT CallByName(IDispatch* object, const wchar_t* name, VARIANT* arguments, UINT count, VARIANT& result,
                   EXCEPINFO& exception) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(found)) return found;
  DISPPARAMS parameters{arguments, nullptr, count, 0};
  VariantInit(&result);
  exception = EXCEPINFO{};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &result, &exception,
                        nullptr);
}

// A cell as the host passes it to a worksheet function: an object whose
// default member is the cell's value, a text date.
class Cell final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = iid == IID_IUnknown || iid == IID_IDispatch ? this : nullptr;
    return *object != nullptr ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id != DISPID_VALUE || (flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr) return DISP_E_MEMBERNOTFOUND;
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = SysAllocString(L"1980-06-15");
    return S_OK;
  }
};

void CheckFunctions(IDispatch* formula) {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  DATE nextNewYear = 0;
  SYSTEMTIME newYear{static_cast<WORD>(today.wYear + 1), 1, 0, 1, 0, 0, 0, 0};
  SystemTimeToVariantTime(&newYear, &nextNewYear);

  constexpr LONG kValueError = static_cast<LONG>(0x800A07DF);  // #VALUE!
  struct Case {
    const char* what;
    VARIANT argument;
    VARTYPE type;
    LONG value;
  };
  Case cases[] = {
      {"Age of a text date", {}, VT_I4, today.wYear - 1980},
      {"Age of a date next year", {}, VT_I4, -1},
      {"Age of a cell holding a text date", {}, VT_I4, today.wYear - 1980},
      {"Age of TRUE", {}, VT_ERROR, kValueError},
      {"Age of a text that is no date", {}, VT_ERROR, kValueError},
  };
  V_VT(&cases[0].argument) = VT_BSTR;
  V_BSTR(&cases[0].argument) = SysAllocString(L"1980-06-15");
  V_VT(&cases[1].argument) = VT_DATE;
  V_DATE(&cases[1].argument) = nextNewYear;
  Cell cell;
  V_VT(&cases[2].argument) = VT_DISPATCH;
  V_DISPATCH(&cases[2].argument) = &cell;
  V_VT(&cases[3].argument) = VT_BOOL;
  V_BOOL(&cases[3].argument) = VARIANT_TRUE;
  V_VT(&cases[4].argument) = VT_BSTR;
  V_BSTR(&cases[4].argument) = SysAllocString(L"abc");

  for (auto& test : cases) {
    VARIANT result;
    EXCEPINFO exception;
    const HRESULT called = CallByName(formula, L"Age", &test.argument, 1, result, exception);
    const LONG value = V_VT(&result) == VT_I4 ? V_I4(&result) : V_VT(&result) == VT_ERROR ? V_ERROR(&result) : 0;
    if (FAILED(called) || V_VT(&result) != test.type || value != test.value) {
      std::printf("%s: hr %08lx, type %u, value %ld\n", test.what, static_cast<unsigned long>(called),
                  V_VT(&result), value);
    }
    Check(SUCCEEDED(called) && V_VT(&result) == test.type && value == test.value, test.what);
    VariantClear(&result);
    VariantClear(&test.argument);
  }

  // Not connected to a host: the host sees the runtime's error, with its text.
  VARIANT result;
  EXCEPINFO exception;
  const HRESULT called = CallByName(formula, L"NonStaticRand", nullptr, 0, result, exception);
  const bool described = exception.bstrDescription != nullptr &&
                         std::wstring(exception.bstrDescription) == L"Object variable or With block variable not set";
  Check(called == DISP_E_EXCEPTION && exception.scode == static_cast<SCODE>(0x800A005B) && described,
        "NonStaticRand without a host raises error 91");
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
}

// The library's classes: the two the host creates, and the add-in's public
// classes, which only the add-in creates.
void CheckClasses(ITypeLib* library) {
  std::map<std::wstring, bool> classes;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    ITypeInfo* info = nullptr;
    TYPEATTR* attributes = nullptr;
    if (FAILED(library->GetTypeInfo(i, &info))) continue;
    if (SUCCEEDED(info->GetTypeAttr(&attributes)) && attributes->typekind == TKIND_COCLASS) {
      BSTR name = nullptr;
      info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
      classes[name] = (attributes->wTypeFlags & TYPEFLAG_FCANCREATE) != 0;
      SysFreeString(name);
    }
    if (attributes != nullptr) info->ReleaseTypeAttr(attributes);
    info->Release();
  }
  const std::map<std::wstring, bool> expected = {{L"Gridwright", true}, {L"Formula", true},
                                                 {L"ExcelEvents", false}, {L"MBButton", false},
                                                 {L"MBButtons", false}, {L"MultLanguage", false}};
  Check(classes == expected, "the library's classes: Gridwright and Formula creatable, the public classes not");
}

// The keys a registration of `formula` writes, from its type information;
// checks the library's name and help string on the way.
std::set<std::wstring> ExpectedKeys(IDispatch* formula, REFCLSID clsid) {
  std::set<std::wstring> keys;
  ITypeInfo* info = nullptr;
  ITypeLib* library = nullptr;
  TYPEATTR* attributes = nullptr;
  TLIBATTR* libraryAttributes = nullptr;
  if (SUCCEEDED(formula->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) && SUCCEEDED(info->GetTypeAttr(&attributes)) &&
      SUCCEEDED(info->GetContainingTypeLib(&library, nullptr)) && SUCCEEDED(library->GetLibAttr(&libraryAttributes))) {
    keys = {L"CLSID\\" + GuidText(clsid), L"Quorvel.Formula", L"Interface\\" + GuidText(attributes->guid),
            L"TypeLib\\" + GuidText(libraryAttributes->guid)};
    BSTR name = nullptr;
    BSTR help = nullptr;
    library->GetDocumentation(-1, &name, &help, nullptr, nullptr);
    Check(name != nullptr && help != nullptr && std::wstring(name) == L"Quorvel" && std::wstring(help) == L"Tabulara",
          "the type library is Quorvel, Tabulara");
    SysFreeString(name);
    SysFreeString(help);
    CheckClasses(library);
  }
  if (libraryAttributes != nullptr) library->ReleaseTLibAttr(libraryAttributes);
  if (attributes != nullptr) info->ReleaseTypeAttr(attributes);
  if (library != nullptr) library->Release();
  if (info != nullptr) info->Release();
  return keys;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: formula_client TABULARA.DLL\n");
    return 2;
  }
  CoInitialize(nullptr);
  MakeClassContainers();
  const std::set<std::wstring> before = ClassesKeys();
  // A copy in a folder of its own: the installation folder, where the first
  // object's start-up stores the language chosen.
  const auto folder = std::filesystem::temp_directory_path() / ("tabulara-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(argv[1], folder / "Tabulara.dll", std::filesystem::copy_options::overwrite_existing);
  HMODULE dll = LoadLibraryW((folder / "Tabulara.dll").c_str());
  Check(dll != nullptr, "Tabulara.dll loads");
  if (dll == nullptr) return failures;
  for (int id : {103, 107, 109}) {
    HANDLE face = LoadImageW(dll, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0);
    BITMAP bitmap{};
    Check(face != nullptr && GetObjectW(face, sizeof(bitmap), &bitmap) != 0 && bitmap.bmWidth == 32 &&
              bitmap.bmHeight == 32,
          "the menu faces are 32 by 32 bitmaps");
    if (face != nullptr) DeleteObject(face);
  }
  Check(CallServer(dll, "DllRegisterServer") == S_OK, "DllRegisterServer succeeds");
  std::set<std::wstring> added;
  for (const auto& key : ClassesKeys()) {
    if (before.count(key) == 0) added.insert(key);
  }
  const std::set<std::wstring> registered = TopKeys(added);
  std::set<std::wstring> expected;
  {
    const ClassesRootView view(L"Quorvel.Formula", std::vector<std::wstring>(registered.begin(), registered.end()));
    CLSID clsid{};
    Check(SUCCEEDED(CLSIDFromProgID(L"Quorvel.Formula", &clsid)), "the ProgID names a class");
    IDispatch* formula = nullptr;
    const HRESULT created =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&formula));
    Check(SUCCEEDED(created), "Quorvel.Formula is created");
    CLSID gridwright{};
    Check(SUCCEEDED(CLSIDFromProgID(L"Quorvel.Gridwright", &gridwright)), "the add-in's ProgID names a class");
    if (SUCCEEDED(created)) {
      expected = ExpectedKeys(formula, clsid);
      expected.insert({L"CLSID\\" + GuidText(gridwright), L"Quorvel.Gridwright"});
      CheckFunctions(formula);
      formula->Release();
    }
    CoFreeUnusedLibraries();
  }
  Check(registered == expected, "the classes, ProgIDs, interface and type library are registered, nothing else");
  wchar_t language[64] = {};
  GetPrivateProfileStringW(L"OPTIONS", L"Language", L"", language, 64, (folder / "Config.ini").c_str());
  Check(language[0] != L'\0', "start-up stored the language in Config.ini");

  Check(CallServer(dll, "DllUnregisterServer") == S_OK, "DllUnregisterServer succeeds");
  Check(ClassesKeys() == before, "unregistering leaves the registry as it was");
  FreeLibrary(dll);
  CoUninitialize();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::printf("%d failures\n", failures);
  return failures;
}
