#include "addin/excel_events.h"

namespace tabulara::addin {

host::Maybe<host::CommandBarPopup> AsPopup(const host::Maybe<host::CommandBarControl>& control) {
  if (!control) return std::nullopt;
  auto popup = std::dynamic_pointer_cast<host::CommandBarPopup>(*control);
  if (!popup) throw host::TypeMismatch();
  return popup;
}

void ExcelEvents::Init(const host::Ref<host::Application>& xl) {
  xlApp = xl;
  cmdBars = xlApp->CommandBars();
}

void ExcelEvents::UnInit() {
  templateButtons.reset();
  xlApp.Clear();
}

const host::Ref<host::Application>& ExcelEvents::Application() const {
  if (!xlApp.HasObject()) throw host::ObjectVariableNotSet();
  return xlApp.get();
}

}  // namespace tabulara::addin
