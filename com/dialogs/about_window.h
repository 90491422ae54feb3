#pragma once

#include <map>
#include <set>
#include <string>

#include "com/dialogs/gdi.h"
#include "com/dialogs/modal_dialog.h"
#include "platform/about_view.h"

namespace tabulara::com::dialogs {

// The About dialog as a Win32 dialog window. The mouse's moves over the
// controls and the form arrive from the message loop; the link's colour
// and underline are its own, the hand cursor the DLL's "HAND" resource.
// Enter or Esc closes it.
class AboutWindow : public platform::AboutView, private ModalView<platform::AboutEvents> {
 public:
  explicit AboutWindow(HMODULE resources);

  void SetCaption(platform::AboutControl control, const std::string& text) override;
  void SetUnderline(platform::AboutControl control, bool underline) override;
  void SetForeColor(platform::AboutControl control, long color) override;
  void SetHandCursor(platform::AboutControl control) override;
  void ShowModal(platform::AboutEvents& events) override { ShowWith(events); }
  void Close() override { EndModal(); }

 private:
  std::optional<INT_PTR> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslate(const MSG& message) override;
  HWND Control(platform::AboutControl control) const;
  HCURSOR HandCursor() const;

  GdiObject<HFONT> underlined_;
  std::map<HWND, COLORREF> colors_;
  std::set<HWND> handCursor_;
};

}  // namespace tabulara::com::dialogs
