#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/exit_status.h"
#include "cli/terminal_message_boxes.h"
#include "xlsx/package/package.h"

namespace tabulara::cli {

// The command line: `tabulara VERB [options] [WORKBOOK]`.
struct Arguments {
  std::string verb;
  std::optional<std::string> workbook;
  // -o, --output: where a changed workbook goes; WORKBOOK stays as it was.
  std::optional<std::string> output;
  // --sheet: the sheet made active before the verb runs.
  std::optional<std::string> sheet;
  // --select: the selection (areas separated by commas); --cell: the active
  // cell.
  std::optional<std::string> select;
  std::optional<std::string> cell;
  // What the verb takes besides WORKBOOK (a template's name, captions).
  std::vector<std::string> operands;
  // addins --install, --uninstall: a ProgID.
  std::optional<std::string> install;
  std::optional<std::string> uninstall;
  // --yes, --no.
  Answer answer = Answer::AskOnTerminal;
  // --max-inflate-ratio, --max-part-size, --max-workbook-size.
  xlsx::PackageLimits limits;
};

// Reads the command line. --help and --version print what they ask for and
// give Ran; a usage error prints one line and the usage to standard error
// and gives Failure.
std::variant<Arguments, ExitStatus> ParseArguments(int argc, char** argv);

}  // namespace tabulara::cli
