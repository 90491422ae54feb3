#include "settings/formula_addin.h"

#include <exception>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "functions/formula.h"
#include "host/addins.h"
#include "host/host_error.h"

namespace tabulara::settings {
namespace {

host::Maybe<host::AddIn> FindByProgID(const host::Ref<host::AddIns>& addIns, const std::string& progID) {
  for (const host::Ref<host::AddIn>& addIn : host::Each(addIns)) {
    if (addIn->progID() == progID) return addIn;
  }
  return std::nullopt;
}

}  // namespace

void LoadFormulaAddIn(bool load) {
  try {
    if (!addin::gExcelEvents) throw host::ObjectVariableNotSet();
    const host::Ref<host::AddIns> addIns = addin::gExcelEvents->Application()->AddIns();
    if (const host::Maybe<host::AddIn> found = FindByProgID(addIns, functions::kFormulaProgID)) {
      if ((*found)->Installed() != load) (*found)->Installed(load);
      return;
    }
    addIns->Add(functions::kFormulaProgID, false)->Installed(load);
  } catch (const std::exception&) {
  }
}

}  // namespace tabulara::settings
