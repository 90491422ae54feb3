#pragma once

#include "platform/about_view.h"

namespace tabulara::dialogs {

// The web page the About dialog's link opens.
inline constexpr const char* kAboutWebPage = "https://www.tabulara.example/";

// The About dialog: the product, its version and credits from the
// catalogue, and a link to the web page.
class FrmAbout : private platform::AboutEvents {
 public:
  explicit FrmAbout(platform::AboutView& view) : view_(view) {}

  // Loads the texts afresh and shows the dialog until it is closed.
  void Show();

 private:
  using Control = platform::AboutControl;

  void Click(Control control) override;
  void MouseMove(Control control) override;
  void Form_Load();

  platform::AboutView& view_;
};

}  // namespace tabulara::dialogs
