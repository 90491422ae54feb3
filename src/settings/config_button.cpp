#include "addin/excel_events.h"
#include "platform/platform.h"
#include "settings/frm_config.h"

namespace tabulara::addin {

void ExcelEvents::btnConfig_Click(const Button&, bool&) {
  const auto view = platform::Current().ConfigDialog();
  settings::FrmConfig(*view).Show();
}

}  // namespace tabulara::addin
