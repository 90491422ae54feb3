#include "automation_host/message_boxes.h"

#include <windows.h>

#include <stdexcept>

#include "platform/win32/text_encoding.h"

namespace tabulara::automation {
namespace {

HHOOK hook = nullptr;
std::vector<std::string> shown;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The message: the longest text among the box's static controls (the icon
// is a static control without text).
BOOL CALLBACK TakeLongestStatic(HWND child, LPARAM found) {
  wchar_t kind[16] = {};
  GetClassNameW(child, kind, 16);
  auto& text = *reinterpret_cast<std::wstring*>(found);
  if (lstrcmpiW(kind, L"Static") == 0) {
    std::wstring candidate = WindowText(child);
    if (candidate.size() > text.size()) text = std::move(candidate);
  }
  return TRUE;
}

// Once a dialog has initialised itself, its texts are in place.
LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG) {
    const HWND window = call->hwnd;
    wchar_t kind[16] = {};
    GetClassNameW(window, kind, 16);
    if (lstrcmpW(kind, L"#32770") == 0) {
      std::wstring text;
      EnumChildWindows(window, TakeLongestStatic, reinterpret_cast<LPARAM>(&text));
      shown.push_back(platform::win32::Narrow(text));
      const LRESULT answer = SendMessageW(window, DM_GETDEFID, 0, 0);
      const WORD button = HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : IDOK;
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

MessageBoxWatch::MessageBoxWatch() {
  if (hook != nullptr) throw std::logic_error("one message-box watch at a time");
  shown.clear();
  hook = SetWindowsHookExW(WH_CALLWNDPROCRET, Watch, nullptr, GetCurrentThreadId());
  if (hook == nullptr) throw std::runtime_error("the message boxes cannot be watched");
}

MessageBoxWatch::~MessageBoxWatch() {
  UnhookWindowsHookEx(hook);
  hook = nullptr;
}

const std::vector<std::string>& MessageBoxWatch::texts() const { return shown; }

}  // namespace tabulara::automation
