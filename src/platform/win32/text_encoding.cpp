#include "platform/win32/text_encoding.h"

#include <windows.h>

namespace tabulara::platform::win32 {
namespace {

std::wstring ToUtf16(const std::string& text, UINT codePage) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string FromUtf16(const std::wstring& text, UINT codePage) {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                      nullptr);
  return narrow;
}

}  // namespace

std::wstring Widen(const std::string& utf8) { return ToUtf16(utf8, CP_UTF8); }
std::string Narrow(const std::wstring& utf16) { return FromUtf16(utf16, CP_UTF8); }
std::string ToAnsi(const std::string& utf8) { return FromUtf16(Widen(utf8), CP_ACP); }
std::string FromAnsi(const std::string& ansi) { return Narrow(ToUtf16(ansi, CP_ACP)); }

}  // namespace tabulara::platform::win32
