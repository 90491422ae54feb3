#include "com/dialogs/about_window.h"

#include "com/dialogs/dialog_ids.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::com::dialogs {
namespace {

using platform::AboutControl;
using platform::win32::Widen;

struct ControlWindow {
  AboutControl control;
  int id;
};
constexpr ControlWindow kControls[] = {
    {AboutControl::lblVersion, IDC_VERSION}, {AboutControl::Label1, IDC_CREDIT},  {AboutControl::Label2, IDC_USAGE},
    {AboutControl::Label3, IDC_VISIT},       {AboutControl::lblAddress, IDC_ADDRESS}, {AboutControl::imgMe, IDC_PICTURE},
    {AboutControl::Image2, IDC_LOGO},        {AboutControl::cmdOK, IDOK},
};

}  // namespace

AboutWindow::AboutWindow(HMODULE resources) : ModalView(resources, IDD_ABOUT) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Window(), WM_GETFONT, 0, 0)), sizeof(font), &font);
  font.lfUnderline = TRUE;
  underlined_.reset(CreateFontIndirectW(&font));
  colors_[Control(AboutControl::lblAddress)] = static_cast<COLORREF>(platform::kLinkBlue);
}

HWND AboutWindow::Control(AboutControl control) const {
  if (control == AboutControl::Form) return Window();
  for (const ControlWindow& entry : kControls) {
    if (entry.control == control) return Item(entry.id);
  }
  return nullptr;
}

HCURSOR AboutWindow::HandCursor() const { return LoadCursorW(Resources(), L"HAND"); }

void AboutWindow::SetCaption(AboutControl control, const std::string& text) {
  SetWindowTextW(Control(control), Widen(text).c_str());
}

// The mouse's every move sets the look again: only a change repaints.
void AboutWindow::SetUnderline(AboutControl control, bool underline) {
  HWND window = Control(control);
  const auto font = underline ? underlined_.get() : reinterpret_cast<HFONT>(SendMessageW(Window(), WM_GETFONT, 0, 0));
  if (reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) == font) return;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void AboutWindow::SetForeColor(AboutControl control, long color) {
  HWND window = Control(control);
  const auto colour = static_cast<COLORREF>(color);
  const auto known = colors_.find(window);
  if (known != colors_.end() && known->second == colour) return;
  colors_[window] = colour;
  InvalidateRect(window, nullptr, TRUE);
}

void AboutWindow::SetHandCursor(AboutControl control) {
  handCursor_.insert(Control(control));
  SetCursor(HandCursor());
}

bool AboutWindow::PreTranslate(const MSG& message) {
  if (message.message != WM_MOUSEMOVE) return false;
  AboutControl moved = AboutControl::Form;
  if (message.hwnd != Window()) {
    const ControlWindow* over = nullptr;
    for (const ControlWindow& entry : kControls) {
      if (Item(entry.id) == message.hwnd) over = &entry;
    }
    if (over == nullptr) return false;
    moved = over->control;
  }
  Raise([&](platform::AboutEvents& events) { events.MouseMove(moved); });
  return false;
}

std::optional<INT_PTR> AboutWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDCANCEL) {
        EndModal();
      } else if (id == IDOK && HIWORD(wParam) == BN_CLICKED) {
        Raise([](platform::AboutEvents& events) { events.Click(AboutControl::cmdOK); });
      } else if ((id == IDC_ADDRESS || id == IDC_PICTURE) && HIWORD(wParam) == STN_CLICKED) {
        const AboutControl link = id == IDC_ADDRESS ? AboutControl::lblAddress : AboutControl::imgMe;
        Raise([&](platform::AboutEvents& events) { events.Click(link); });
      }
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      const auto found = colors_.find(reinterpret_cast<HWND>(lParam));
      if (found == colors_.end()) return std::nullopt;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, found->second);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
      if (!handCursor_.contains(reinterpret_cast<HWND>(wParam))) return std::nullopt;
      SetCursor(HandCursor());
      SetWindowLongPtrW(Window(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    default:
      return ModalView::Handle(message, wParam, lParam);
  }
}

}  // namespace tabulara::com::dialogs
