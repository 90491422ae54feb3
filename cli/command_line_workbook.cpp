#include "cli/command_line_workbook.h"

#include <iostream>
#include <stdexcept>

#include "cli/menu_actions.h"
#include "cli/terminal_text.h"
#include "xlsx/package/package_error.h"

namespace tabulara::cli {

bool OpenCommandLineWorkbook(HostSession& session, const Arguments& arguments) {
  try {
    if (arguments.workbook) session.Open(*arguments.workbook);
    if (arguments.sheet) session.host().Activate(session.host().Sheet(session.workbook(), *arguments.sheet));
    if (arguments.select || arguments.cell) {
      SelectCells(session, arguments.select.value_or(arguments.cell.value_or("")), arguments.cell.value_or(""));
    }
    return true;
  } catch (const xlsx::PackageError& error) {
    std::cerr << "tabulara: " << TerminalLines(error.what()) << '\n';
  } catch (const std::invalid_argument& error) {
    std::cerr << "tabulara: " << TerminalLines(error.what()) << '\n';
  }
  return false;
}

}  // namespace tabulara::cli
