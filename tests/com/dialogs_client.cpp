// Shows the configuration and About dialogs with the resources of
// Tabulara.dll (the first argument) and works them from a second thread as
// a user would, with the keyboard and the mouse: checks the controls and
// their texts through the window tree, the sample and the link's look
// through captures of the screen, saves the captures as PNG files in the
// folder of the second argument, and closes each dialog with Esc or Enter.
// Prints each failure; the exit status is the number of failures.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "addin/main.h"
#include "com/dialogs/dialog_ids.h"
#include "com/dialogs/dialog_platform.h"
#include "dialogs/frm_about.h"
#include "png_file.h"
#include "settings/frm_config.h"

namespace {

namespace fs = std::filesystem;
using tabulara::com::dialogs::DialogPlatform;

int failures = 0;
fs::path folder;
HMODULE dll = nullptr;

void Check(bool condition, const std::string& what) {
  if (condition) return;
  std::printf("FAIL: %s\n", what.c_str());
  std::fflush(stdout);
  ++failures;
}

std::wstring Text(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// The visible dialog with this caption, waited for.
HWND WaitForDialog(const wchar_t* caption) {
  for (int tries = 0; tries < 200; ++tries) {
    HWND found = FindWindowW(L"#32770", caption);
    if (found != nullptr && IsWindowVisible(found)) return found;
    Sleep(100);
  }
  std::printf("FAIL: no dialog \"%ls\" shows\n", caption);
  ExitProcess(static_cast<UINT>(failures + 1));
}

// Waits until the dialog has handled what it was sent and is painted.
void Settle(HWND dialog) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(100);
}

// Whether `condition` comes true within 5 seconds, as the dialog handles
// the input it was given.
bool Eventually(HWND dialog, const std::function<bool()>& condition) {
  for (int tries = 0; tries < 50; ++tries) {
    Settle(dialog);
    if (condition()) return true;
  }
  return false;
}

void Press(WORD key, bool control = false) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD code, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (control) add(VK_CONTROL, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (control) add(VK_CONTROL, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MoveMouse(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
}

HWND Focus(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus;
}

void WaitUntilClosed(HWND dialog, const std::string& key) {
  for (int tries = 0; tries < 50 && IsWindowVisible(dialog); ++tries) Sleep(100);
  Check(!IsWindowVisible(dialog), key + " closes the dialog");
}

// A window as the screen shows it, as 0x00RRGGBB pixels.
struct Capture {
  RECT place{};
  std::vector<DWORD> pixels;
  int Width() const { return place.right - place.left; }
  int Height() const { return place.bottom - place.top; }

  explicit Capture(HWND window) {
    GetWindowRect(window, &place);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, Width(), Height());
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, Width(), Height(), screen, place.left, place.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width(), -Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<std::size_t>(Width() * Height()));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(Height()), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  // How many pixels inside `control` (less a margin) pass `test`.
  int Count(HWND control, int margin, const std::function<bool(DWORD)>& test) const {
    RECT area{};
    GetWindowRect(control, &area);
    int count = 0;
    for (int y = area.top + margin; y < area.bottom - margin; ++y) {
      for (int x = area.left + margin; x < area.right - margin; ++x) {
        if (test(pixels[static_cast<std::size_t>((y - place.top) * Width() + (x - place.left))] & 0xFFFFFF)) ++count;
      }
    }
    return count;
  }

  void Save(const char* name) const {
    std::vector<std::uint8_t> rgb;
    for (DWORD pixel : pixels) rgb.insert(rgb.end(), {std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel)});
    Check(WritePng(folder / name, Width(), Height(), rgb), std::string("the capture is saved as ") + name);
  }
};

bool Reddish(DWORD pixel) { return (pixel >> 16 & 0xFF) > 160 && (pixel >> 8 & 0xFF) < 100 && (pixel & 0xFF) < 100; }
bool Bluish(DWORD pixel) { return (pixel & 0xFF) > 160 && (pixel >> 16 & 0xFF) < 100 && (pixel >> 8 & 0xFF) < 100; }

std::wstring TabText(HWND tabs, int tab) {
  wchar_t text[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  TabCtrl_GetItem(tabs, tab, &item);
  return text;
}

DWORD WINAPI DriveConfig(void*) {
  HWND dialog = WaitForDialog(L"Configuration");
  Settle(dialog);
  const struct {
    int id;
    const wchar_t* caption;
  } captions[] = {{IDC_COMMENT_STYLE, L"Enable Comment Style"}, {IDC_VISIBLE_LABEL, L"Customize visible Items"},
                  {IDC_BEFORE_SAVE, L"Unify sheets font before save"}, {IDC_FONT_FRAME, L"Font settings"},
                  {IDC_SAMPLE_LABEL, L"Sample"}, {IDOK, L"OK"}, {IDCANCEL, L"Cancel"}, {IDC_APPLY, L"Apply"}};
  for (const auto& expected : captions) {
    Check(Text(GetDlgItem(dialog, expected.id)) == expected.caption, "a control is captioned " + std::to_string(expected.id));
  }
  HWND tabs = GetDlgItem(dialog, IDC_TABS);
  Check(TabText(tabs, 0) == L"General" && TabText(tabs, 1) == L"Unify Sheets Font", "the tabs are captioned");
  Check(!IsWindowEnabled(GetDlgItem(dialog, IDC_APPLY)), "Apply is disabled when the dialog opens");
  HWND visible = GetDlgItem(dialog, IDC_VISIBLE_ITEMS);
  const int items = ListView_GetItemCount(visible);
  int ticked = 0;
  for (int item = 0; item < items; ++item) ticked += ListView_GetCheckState(visible, item) ? 1 : 0;
  Check(items == 21 && ticked == 21, "the 21 menu items are listed, all ticked");
  Capture(dialog).Save("config-general.png");

  Press(VK_TAB, true);
  Check(Eventually(dialog, [&] { return TabCtrl_GetCurSel(tabs) == 1; }) &&
            IsWindowVisible(GetDlgItem(dialog, IDC_FAMILIES)) && !IsWindowVisible(visible),
        "Ctrl+Tab shows the font tab");
  HWND families = GetDlgItem(dialog, IDC_FAMILIES);
  wchar_t family[64] = {};
  SendMessageW(families, LB_GETTEXT, SendMessageW(families, LB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(family));
  Check(std::wstring(family) == L"DejaVu Sans", "the stored font family is selected");
  std::set<std::wstring> listed;
  const auto count = static_cast<int>(SendMessageW(families, LB_GETCOUNT, 0, 0));
  for (int entry = 0; entry < count; ++entry) {
    SendMessageW(families, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(family));
    listed.insert(family);
  }
  Check(count > 0 && listed.size() == static_cast<std::size_t>(count), "each font family is listed once");
  const Capture fontTab(dialog);
  fontTab.Save("config-font.png");
  HWND sample = GetDlgItem(dialog, IDC_SAMPLE);
  const int inked = fontTab.Count(sample, 3, [](DWORD pixel) { return pixel != 0xFFFFFF; });
  Check(inked > 40, "the sample is drawn (" + std::to_string(inked) + " pixels)");

  HWND sizeBox = GetDlgItem(dialog, IDC_FONT_SIZE);
  for (int presses = 0; presses < 15 && GetParent(Focus(dialog)) != sizeBox; ++presses) {
    HWND before = Focus(dialog);
    Press(VK_TAB);
    Eventually(dialog, [&] { return Focus(dialog) != before; });
  }
  Check(GetParent(Focus(dialog)) == sizeBox, "Tab reaches the size box");
  for (const WORD key : {WORD{'1'}, WORD{'X'}, WORD{VK_OEM_PERIOD}, WORD{'2'}}) Press(key);
  Check(Eventually(dialog, [&] { return Text(sizeBox).size() >= 2; }) && Text(sizeBox) == L"12",
        "the size box takes the digits typed and no other key");
  Check(IsWindowEnabled(GetDlgItem(dialog, IDC_APPLY)), "a typed digit enables Apply");

  Press(VK_ESCAPE);
  WaitUntilClosed(dialog, "Esc");
  return 0;
}

DWORD WINAPI DriveAbout(void*) {
  HWND dialog = WaitForDialog(L"About Tabulara");
  Settle(dialog);
  Check(Text(GetDlgItem(dialog, IDC_VERSION)) == L"Tabulara " TABULARA_VERSION, "the version label");
  HWND link = GetDlgItem(dialog, IDC_ADDRESS);
  Check(Text(link) == L"www.tabulara.example", "the link's text");
  const Capture normal(dialog);
  normal.Save("about.png");
  Check(normal.Count(link, 0, Bluish) > 20 && normal.Count(link, 0, Reddish) == 0, "the link shows blue");

  RECT place{};
  GetWindowRect(link, &place);
  MoveMouse({place.left + 10, (place.top + place.bottom) / 2});
  Check(Eventually(dialog, [&] { return Capture(dialog).Count(link, 0, Bluish) == 0; }), "the link is not blue under the mouse");
  const Capture hover(dialog);
  hover.Save("about-link-hover.png");
  Check(hover.Count(link, 0, Reddish) > 20, "the link turns red under the mouse");
  CURSORINFO cursor{};
  cursor.cbSize = sizeof(cursor);
  GetCursorInfo(&cursor);
  Check(cursor.hCursor == LoadCursorW(dll, L"HAND"), "the hand cursor shows over the link");

  RECT form{};
  GetWindowRect(dialog, &form);
  MoveMouse({form.right - 12, form.top + 40});
  Check(Eventually(dialog, [&] { return Capture(dialog).Count(link, 0, Reddish) == 0; }),
        "the link turns blue again over the form");

  Press(VK_RETURN);
  WaitUntilClosed(dialog, "Enter");
  return 0;
}

// The "HAND" cursor: 32 by 32 pixels, hot spot at (5, 0).
void CheckHandCursor() {
  ICONINFO info{};
  const bool found = GetIconInfo(LoadCursorW(dll, L"HAND"), &info) != FALSE;
  BITMAP mask{};
  if (found) GetObjectW(info.hbmMask, sizeof(mask), &mask);
  Check(found && !info.fIcon && info.xHotspot == 5 && info.yHotspot == 0, "the HAND cursor's hot spot is (5, 0)");
  Check(mask.bmWidth == 32 && mask.bmHeight == (info.hbmColor ? 32 : 64), "the HAND cursor is 32 by 32");
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

void Show(LPTHREAD_START_ROUTINE driver, const std::function<void()>& dialog) {
  HANDLE thread = CreateThread(nullptr, 0, driver, nullptr, 0, nullptr);
  try {
    dialog();
  } catch (const std::exception& error) {
    Check(false, std::string("the dialog fails: ") + error.what());
  }
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::printf("usage: dialogs_client DLL FOLDER\n");
    return 1;
  }
  folder = argv[2];
  const fs::path copy = folder / L"Tabulara.dll";
  fs::copy_file(argv[1], copy, fs::copy_options::overwrite_existing);
  dll = LoadLibraryW(copy.c_str());
  if (dll == nullptr) {
    std::printf("FAIL: %ls cannot be loaded\n", copy.c_str());
    return 1;
  }
  const auto platform = std::make_shared<DialogPlatform>(dll);
  tabulara::platform::Install(platform);
  tabulara::addin::Main();
  CheckHandCursor();

  constexpr const char* kApp = "Quorvel.Gridwright";
  platform->SaveSetting(kApp, "FontSetting", "FontName", "DejaVu Sans");
  const auto size = platform->GetSetting(kApp, "FontSetting", "FontSize");
  Show(DriveConfig, [&] { tabulara::settings::FrmConfig(*platform->ConfigDialog()).Show(); });
  Check(platform->GetSetting(kApp, "FontSetting", "FontSize") == size, "Esc stores nothing");
  Show(DriveAbout, [&] { tabulara::dialogs::FrmAbout(*platform->AboutDialog()).Show(); });
  return failures;
}
