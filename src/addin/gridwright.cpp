#include "addin/gridwright.h"

#include <exception>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "addin/main.h"
#include "addin/text.h"
#include "host/constants.h"
#include "host/host_error.h"
#include "platform/platform.h"
#include "settings/user_settings.h"

namespace tabulara::addin {

void Gridwright::OnConnection(const host::Ref<host::Application>& application, int connectMode,
                              const host::Ref<host::Object>&, std::vector<host::Variant>& custom) {
  // The catalogue goes at every disconnection; a connection that follows one
  // within the same load needs it again.
  if (!gLanguage) CreateCatalogue();
  gExcelEvents = std::make_shared<ExcelEvents>();
  gExcelEvents->Init(application);
  if (connectMode != host::ext_cm_Startup) OnStartupComplete(custom);
}

void Gridwright::OnDisconnection(int, std::vector<host::Variant>&) {
  gLanguage.reset();
  try {
    if (gExcelEvents) {
      gExcelEvents->DeleteButtons();
      gExcelEvents->UnInit();
      gExcelEvents.reset();
    }
  } catch (const std::exception&) {
  }
}

void Gridwright::OnAddInsUpdate(std::vector<host::Variant>&) {}

void Gridwright::OnStartupComplete(std::vector<host::Variant>&) {
  try {
    if (!gExcelEvents) throw host::ObjectVariableNotSet();
    gExcelEvents->CreateButtons();
    gExcelEvents->SetItemVisible(TrimBlanks(settings::ReadSetting("GeneralSetting", "Visibility", "")));
  } catch (const std::exception& error) {
    platform::Current().MessageBox(std::string("Load error\r\n") + error.what(), platform::vbCritical, gAppTitle);
  }
}

void Gridwright::OnBeginShutdown(std::vector<host::Variant>&) {}

}  // namespace tabulara::addin
