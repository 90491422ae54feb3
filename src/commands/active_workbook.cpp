#include "commands/active_workbook.h"

namespace tabulara::commands {

host::Ref<host::Workbook> ActiveWorkbook(const host::Ref<host::Application>& application) {
  auto workbook = application->ActiveWorkbook();
  if (!workbook) throw host::ObjectVariableNotSet();
  return *workbook;
}

}  // namespace tabulara::commands
