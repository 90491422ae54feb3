#include "cli/command_line_workbook.h"

#include <stdexcept>

#include "cli/command_errors.h"
#include "xlsx/package/package_error.h"

namespace tabulara::cli {

bool OpenCommandLineWorkbook(HostSession& session, const Arguments& arguments) {
  try {
    if (arguments.workbook) session.Open(*arguments.workbook);
    if (arguments.sheet) session.host().Activate(session.host().Sheet(session.workbook(), *arguments.sheet));
    if (arguments.select || arguments.cell) {
      session.host().GoTo(arguments.select ? *arguments.select : *arguments.cell, arguments.cell.value_or(""));
    }
    return true;
  } catch (const xlsx::PackageError& error) {
    PrintCommandError(error.what());
  } catch (const std::invalid_argument& error) {
    PrintCommandError(error.what());
  }
  return false;
}

}  // namespace tabulara::cli
