#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>

#include "host/conversions.h"
#include "host/host_error.h"
#include "platform/win32/module_file.h"
#include "platform/win32/registry_key.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::platform::win32 {
namespace {

// Where Windows programs of this kind keep their per-user settings.
std::wstring SettingsKey(const std::string& appName, const std::string& section) {
  return L"Software\\VB and VBA Program Settings\\" + Widen(appName) + L"\\" + Widen(section);
}

double SecondsSinceMidnight() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

std::string MapCase(const std::string& text, DWORD (*map)(LPWSTR, DWORD)) {
  std::wstring wide = Widen(text);
  map(wide.data(), static_cast<DWORD>(wide.size()));
  return Narrow(wide);
}

DWORD UpperInPlace(LPWSTR text, DWORD length) { return CharUpperBuffW(text, length); }
DWORD LowerInPlace(LPWSTR text, DWORD length) { return CharLowerBuffW(text, length); }

}  // namespace

std::string Win32Platform::GetPrivateProfileString(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue, std::size_t size,
                                                   const std::string& file) {
  std::string buffer(size, '\0');
  ::GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(defaultValue).c_str(),
                             buffer.data(), static_cast<DWORD>(size), ToAnsi(file).c_str());
  const auto end = buffer.find('\0');
  std::string value = FromAnsi(buffer.substr(0, end));
  if (size == 0) return value;
  value.resize(std::min(value.size(), size - 1));
  value.resize(size, '\0');
  return value;
}

bool Win32Platform::WritePrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& file) {
  return ::WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(value).c_str(),
                                      ToAnsi(file).c_str()) != FALSE;
}

std::optional<std::string> Win32Platform::GetSetting(const std::string& appName, const std::string& section,
                                                     const std::string& key) {
  const auto opened = RegistryKey::Open(HKEY_CURRENT_USER, SettingsKey(appName, section));
  if (!opened) return std::nullopt;
  const auto value = opened->Text(Widen(key));
  if (!value) return std::nullopt;
  return Narrow(*value);
}

void Win32Platform::SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                                const std::string& value) {
  auto created = RegistryKey::Create(HKEY_CURRENT_USER, SettingsKey(appName, section));
  if (!created || !created->SetText(Widen(key), Widen(value))) {
    throw host::HostError(host::kErrInvalidCall, "Invalid procedure call or argument");
  }
}

std::uint16_t Win32Platform::SystemDefaultLangID() { return ::GetSystemDefaultLangID(); }

std::string Win32Platform::InstallFolder() {
  return Narrow(std::filesystem::path(ModuleFileName(static_cast<HMODULE>(module_))).parent_path().wstring());
}

void Win32Platform::Randomize() { random_.Randomize(static_cast<float>(SecondsSinceMidnight())); }

float Win32Platform::Rnd() { return random_.Next(); }

host::Date Win32Platform::Today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return host::DateFromCivil(now.wYear, now.wMonth, now.wDay);
}

int Win32Platform::MessageBox(const std::string& text, int flags, const std::optional<std::string>& title) {
  return MessageBoxW(nullptr, Widen(text).c_str(), Widen(title.value_or("Tabulara")).c_str(),
                     static_cast<UINT>(flags) | MB_TASKMODAL);
}

void Win32Platform::ClearClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

void Win32Platform::PutBitmapOnClipboard(int resourceId) {
  HANDLE bitmap = LoadImageW(static_cast<HMODULE>(module_), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, 0);
  if (bitmap == nullptr) {
    throw host::HostError(326, "Resource with identifier '" + std::to_string(resourceId) + "' not found");
  }
  if (!OpenClipboard(nullptr)) {
    DeleteObject(bitmap);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_BITMAP, bitmap) == nullptr) DeleteObject(bitmap);
  CloseClipboard();
}

std::string Win32Platform::UpperCase(const std::string& text) { return MapCase(text, UpperInPlace); }

std::string Win32Platform::LowerCase(const std::string& text) { return MapCase(text, LowerInPlace); }

int Win32Platform::CompareTextNoCase(const std::string& left, const std::string& right) {
  const std::wstring a = Widen(left);
  const std::wstring b = Widen(right);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

void Win32Platform::ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName,
                                      std::string& buffer) {
  HKEY opened = nullptr;
  const HKEY parent = root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  if (RegOpenKeyExA(parent, ToAnsi(key).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return;
  std::string ansi(buffer.size(), '\0');
  DWORD size = static_cast<DWORD>(ansi.size());
  const LONG status = RegQueryValueExA(opened, ToAnsi(valueName).c_str(), nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(ansi.data()), &size);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return;
  ansi.resize(std::min<std::size_t>(size, ansi.size()));
  if (const auto end = ansi.find('\0'); end != std::string::npos) ansi.resize(end);
  const std::string value = FromAnsi(ansi);
  std::copy_n(value.begin(), std::min(value.size(), buffer.size()), buffer.begin());
  if (value.size() < buffer.size()) buffer[value.size()] = '\0';
}

void Win32Platform::OpenDocument(const std::string& verb, const std::string& file, int showCommand) {
  ShellExecuteA(nullptr, ToAnsi(verb).c_str(), ToAnsi(file).c_str(), nullptr, nullptr, showCommand);
}

void Win32Platform::StartProgram(const std::string& commandLine, int windowStyle) {
  std::wstring line = Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowStyle);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    throw host::HostError(53, "File not found");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

bool Win32Platform::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32Platform::EnvironmentVariable(const std::string& name) {
  const std::wstring wideName = Widen(name);
  const DWORD length = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (length == 0) return {};
  std::wstring value(length, L'\0');
  value.resize(GetEnvironmentVariableW(wideName.c_str(), value.data(), length));
  return Narrow(value);
}

}  // namespace tabulara::platform::win32
