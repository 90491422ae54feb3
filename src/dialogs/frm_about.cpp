#include "dialogs/frm_about.h"

#include <exception>

#include "addin/globals.h"
#include "platform/platform.h"
#include "version.h"

namespace tabulara::dialogs {
namespace {

// The show command of a normal window.
constexpr int kNormalWindow = 1;

}  // namespace

void FrmAbout::Show() {
  Form_Load();
  view_.ShowModal(*this);
}

void FrmAbout::Form_Load() {
  view_.SetCaption(Control::Form, addin::Message("lang060"));
  view_.SetCaption(Control::lblVersion, addin::Message("lang061") + " " + VersionNumbers());
  view_.SetCaption(Control::Label1, addin::Message("lang062"));
  view_.SetCaption(Control::Label2, addin::Message("lang063"));
  view_.SetCaption(Control::Label3, addin::Message("lang064"));
  view_.SetCaption(Control::cmdOK, addin::Message("lang067"));
  view_.SetCaption(Control::lblAddress, addin::Message("lang066"));
}

void FrmAbout::Click(Control control) {
  if (control == Control::cmdOK) return view_.Close();
  if (control != Control::lblAddress && control != Control::imgMe) return;
  try {
    platform::Current().OpenDocument("Open", kAboutWebPage, kNormalWindow);
  } catch (const std::exception&) {
  }
}

// The link looks like one while the mouse is over it.
void FrmAbout::MouseMove(Control control) {
  switch (control) {
    case Control::lblAddress:
      view_.SetHandCursor(control);
      view_.SetUnderline(control, true);
      view_.SetForeColor(control, platform::kLinkRed);
      break;
    case Control::imgMe:
      view_.SetHandCursor(control);
      break;
    case Control::Form:
      view_.SetUnderline(Control::lblAddress, false);
      view_.SetForeColor(Control::lblAddress, platform::kLinkBlue);
      break;
    default:
      break;
  }
}

}  // namespace tabulara::dialogs
