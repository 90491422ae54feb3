#include "addin/excel_events.h"
#include "dialogs/frm_about.h"
#include "platform/platform.h"

namespace tabulara::addin {

void ExcelEvents::btnAbout_Click(const Button&, bool&) {
  const auto view = platform::Current().AboutDialog();
  dialogs::FrmAbout(*view).Show();
}

}  // namespace tabulara::addin
