#include "cli/shell.h"

#include <unistd.h>

#include <iostream>
#include <string>

#include "cli/command_line_workbook.h"
#include "cli/host_session.h"
#include "cli/shell_commands.h"

namespace tabulara::cli {

ExitStatus RunShell(const Arguments& arguments) {
  HostSession session(arguments.answer, arguments.limits);
  if (!OpenCommandLineWorkbook(session, arguments)) return ExitStatus::Failure;
  session.Connect();

  std::optional<std::filesystem::path> output;
  if (arguments.output) output = *arguments.output;
  ShellCommands commands(session, output);
  const bool prompt = isatty(STDIN_FILENO) == 1;
  std::string line;
  for (;;) {
    if (prompt) std::cout << "tabulara> " << std::flush;
    if (!std::getline(std::cin, line) || !commands.Run(line)) break;
  }
  return session.Status();
}

}  // namespace tabulara::cli
