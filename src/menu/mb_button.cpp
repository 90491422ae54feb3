#include "menu/mb_button.h"

#include "addin/globals.h"
#include "addin/message_box.h"
#include "platform/platform.h"

namespace tabulara::menu {

void MBButton::mBtn_Click(const host::Ref<host::CommandBarButton>&, bool&) {
  const bool exists = platform::Current().FindFiles(path_)->Next().has_value();
  if (exists) {
    application_->Sheets()->Add(std::nullopt, path_);
  } else {
    addin::ShowMessage(addin::Message("lang053", {path_}), platform::vbInformation);
  }
}

}  // namespace tabulara::menu
