#pragma once

#include <string>

namespace tabulara::platform {

// The controls of the About dialog.
enum class AboutControl { Form, lblVersion, Label1, Label2, Label3, lblAddress, imgMe, Image2, cmdOK };

// Colours in the 0x00BBGGRR form.
inline constexpr long kLinkBlue = 0xFF0000;
inline constexpr long kLinkRed = 0x0000FF;

// What the user does in the About dialog, delivered while it is shown.
class AboutEvents {
 public:
  virtual ~AboutEvents() = default;
  virtual void Click(AboutControl control) = 0;
  // The mouse moved over a control, or over the form outside them.
  virtual void MouseMove(AboutControl control) = 0;
};

// The About dialog's window, as a toolkit shows it.
class AboutView {
 public:
  virtual ~AboutView() = default;
  virtual void SetCaption(AboutControl control, const std::string& text) = 0;
  virtual void SetUnderline(AboutControl control, bool underline) = 0;
  virtual void SetForeColor(AboutControl control, long color) = 0;
  // The mouse pointer over the control becomes the add-in's "HAND" cursor.
  virtual void SetHandCursor(AboutControl control) = 0;
  // Shows the window and delivers the user's actions to `events` until
  // Close is called or the user closes the window.
  virtual void ShowModal(AboutEvents& events) = 0;
  virtual void Close() = 0;
};

}  // namespace tabulara::platform
