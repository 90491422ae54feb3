#pragma once

#include <map>
#include <string>

#include "platform/about_view.h"
#include "platform/posix/terminal/curses_screen.h"

namespace tabulara::platform::posix::terminal {

// The About dialog on a curses screen. Tab or the arrows move the focus
// between the link and OK; the focus on the link counts as the mouse over it
// (so it shows the hover look), leaving it as the mouse over the form.
// Enter or a click presses; Escape closes as the window's close box does.
class TerminalAboutView : public AboutView {
 public:
  void SetCaption(AboutControl control, const std::string& text) override { captions_[control] = text; }
  void SetUnderline(AboutControl control, bool underline) override;
  void SetForeColor(AboutControl control, long color) override;
  void SetHandCursor(AboutControl) override {}
  void ShowModal(AboutEvents& events) override;
  void Close() override { closed_ = true; }

 private:
  struct Look {
    bool underline = false;
    long color = kLinkBlue;
  };
  // Draws the window and keeps where the link and OK are.
  void Draw(WINDOW* window);
  void Hover(AboutEvents& events, AboutControl control);
  void Mouse(AboutEvents& events, WINDOW* window);

  std::map<AboutControl, std::string> captions_;
  std::map<AboutControl, Look> looks_;
  AboutControl focus_ = AboutControl::cmdOK;
  AboutControl hovered_ = AboutControl::Form;
  // Where the link's and OK's first cells are, in the window.
  int linkY_ = 0, linkX_ = 0, okY_ = 0, okX_ = 0;
  bool closed_ = false;
};

}  // namespace tabulara::platform::posix::terminal
