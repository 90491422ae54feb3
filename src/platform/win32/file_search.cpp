#include <windows.h>

#include <algorithm>

#include "platform/win32/text_encoding.h"
#include "platform/win32/win32_platform.h"

namespace tabulara::platform::win32 {
namespace {

// FindFirstFileW and FindNextFileW over normal files; the handle closes with it.
class Win32FileSearch : public FileSearch {
 public:
  explicit Win32FileSearch(const std::string& pattern)
      : handle_(FindFirstFileW(Widen(pattern).c_str(), &found_)), pending_(handle_ != INVALID_HANDLE_VALUE) {}
  Win32FileSearch(const Win32FileSearch&) = delete;
  Win32FileSearch& operator=(const Win32FileSearch&) = delete;
  ~Win32FileSearch() override {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }

  std::optional<std::string> Next() override {
    constexpr DWORD kSkipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    while (pending_) {
      const WIN32_FIND_DATAW entry = found_;
      pending_ = FindNextFileW(handle_, &found_) != FALSE;
      if ((entry.dwFileAttributes & kSkipped) == 0) return Narrow(entry.cFileName);
    }
    return std::nullopt;
  }

 private:
  WIN32_FIND_DATAW found_{};
  HANDLE handle_;
  bool pending_;
};

// The enumeration reports a family once for each of its character sets;
// the list holds it once.
int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  auto& families = *reinterpret_cast<std::vector<std::string>*>(list);
  std::string family = Narrow(font->lfFaceName);
  if (std::find(families.begin(), families.end(), family) == families.end()) families.push_back(std::move(family));
  return 1;
}

}  // namespace

std::unique_ptr<FileSearch> Win32Platform::FindFiles(const std::string& pattern) {
  return std::make_unique<Win32FileSearch>(pattern);
}

std::vector<std::string> Win32Platform::ScreenFontFamilies() {
  std::vector<std::string> families;
  HDC screen = GetDC(nullptr);
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(screen, &all, AddFamily, reinterpret_cast<LPARAM>(&families), 0);
  ReleaseDC(nullptr, screen);
  return families;
}

}  // namespace tabulara::platform::win32
