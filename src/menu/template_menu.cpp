#include <exception>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "platform/platform.h"
#include "settings/ini_value.h"
#include "settings/install_path.h"

namespace tabulara::addin {

// The "Common Template" pop-up: one button per template file of the
// template folder, in the order the file system lists them. Any failure
// ends it silently; what was built stays.
void ExcelEvents::BuildTemplateMenu() {
  try {
    std::string folder = settings::ReadIniValue("OPTIONS", "xltPath", "", "");
    if (folder.empty()) {
      folder = settings::InstallPath("Template\\");
      settings::WriteIniValue("OPTIONS", "xltPath", folder, "");
    }
    folder = settings::WithFinalBackslash(folder);

    const auto search = platform::Current().FindFiles(folder + "*.xlt");
    auto name = search->Next();
    if (!name) return;

    templateButtons = std::make_shared<menu::MBButtons>();
    templatePopup = AsPopup((*mainPopup)->Controls()->Add(host::msoControlPopup));
    const auto popup = *templatePopup;
    popup->BeginGroup(true);
    popup->Caption(Message("lang003"));
    templateBarName = popup->CommandBar()->Name();

    for (; name; name = search->Next()) {
      const auto button = AsButton(popup->Controls()->Add(host::msoControlButton));
      button->Style(host::msoButtonIconAndCaption);
      button->Caption(name->substr(0, name->size() - 4));
      templateButtons->Add(button, folder + *name, xlApp.get());
    }
  } catch (const std::exception&) {
  }
}

}  // namespace tabulara::addin
