#pragma once

#include <string>

namespace tabulara::platform::win32 {

// The add-in's texts are UTF-8; Windows takes UTF-16 or the ANSI code page.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string ToAnsi(const std::string& utf8);
std::string FromAnsi(const std::string& ansi);

}  // namespace tabulara::platform::win32
