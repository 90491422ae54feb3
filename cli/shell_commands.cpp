#include "cli/shell_commands.h"

#include <iostream>
#include <stdexcept>

#include "cli/menu_actions.h"
#include "cli/terminal_text.h"
#include "cli/workbook_report.h"
#include "xlsx/package/package_error.h"

namespace tabulara::cli {
namespace {

constexpr const char* kBlanks = " \t\r";

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A mistake in a command line: the message goes to standard error.
class CommandError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

void Require(const std::string& argument, const char* usage) {
  if (argument.empty()) throw CommandError(std::string("usage: ") + usage);
}

}  // namespace

ShellCommands::ShellCommands(HostSession& session, std::optional<std::filesystem::path> output)
    : session_(session), output_(std::move(output)) {
  if (session_.HasWorkbook()) saveTarget_ = output_.value_or(session_.path());
}

bool ShellCommands::Run(const std::string& line) {
  const std::string command = Trim(line);
  if (command.empty() || command.front() == '#') return true;
  const auto end = command.find_first_of(kBlanks);
  const std::string verb = command.substr(0, end);
  const std::string argument = end == std::string::npos ? "" : Trim(command.substr(end));
  try {
    if (verb == "quit") return false;
    if (verb == "open") {
      Open(argument);
    } else if (verb == "save") {
      Save(argument);
    } else if (verb == "sheet") {
      Sheet(argument);
    } else if (verb == "get") {
      Get(argument);
    } else if (verb == "info") {
      Info();
    } else if (verb == "select") {
      Select(argument);
    } else if (verb == "cell") {
      Cell(argument);
    } else if (verb == "click") {
      Click(argument);
    } else if (verb == "double-click" || verb == "right-click") {
      Require(argument, "double-click REF | right-click REF");
      if (verb == "double-click") {
        session_.CallAddin([&] { session_.host().DoubleClick(argument); });
      } else {
        session_.CallAddin([&] { session_.host().RightClick(argument); });
      }
    } else if (verb == "answer") {
      Answer(argument);
    } else if (verb == "menu") {
      PrintMenus(std::cout, session_);
      std::cout << std::flush;
    } else {
      throw CommandError("unknown command \"" + verb +
                         "\" (commands: open, save, sheet, select, cell, click, double-click, right-click, answer, "
                         "menu, get, info, quit)");
    }
  } catch (const xlsx::PackageError& error) {
    std::cerr << "tabulara: " << TerminalLines(error.what()) << '\n';
    session_.Fail(ExitStatus::Failure);
  } catch (const std::invalid_argument& error) {
    std::cerr << "tabulara: " << TerminalLines(error.what()) << '\n';
    session_.Fail(ExitStatus::Failure);
  }
  return true;
}

void ShellCommands::Open(const std::string& file) {
  Require(file, "open FILE");
  session_.Open(file);
  saveTarget_ = file;
}

void ShellCommands::Save(const std::string& file) {
  const std::filesystem::path target = file.empty() ? saveTarget_ : std::filesystem::path(file);
  if (!session_.HasWorkbook()) throw CommandError("no workbook is open");
  session_.Save(target);
}

void ShellCommands::Sheet(const std::string& name) {
  Require(name, "sheet NAME");
  embedded::EmbeddedHost& host = session_.host();
  host.Activate(host.Sheet(session_.workbook(), name));
}

void ShellCommands::Get(const std::string& cell) {
  Require(cell, "get REF");
  embedded::model::Sheet* sheet = session_.workbook().ActiveSheet().get();
  if (sheet == nullptr) throw CommandError("the workbook has no active sheet");
  PrintCell(std::cout, session_.host(), *sheet, cell);
  std::cout << std::flush;
}

void ShellCommands::Select(const std::string& areas) {
  Require(areas, "select RANGE");
  SelectCells(session_, areas, "");
}

void ShellCommands::Cell(const std::string& cell) {
  Require(cell, "cell REF");
  SelectCells(session_, cell, cell);
}

void ShellCommands::Click(const std::string& captionOrPath) {
  Require(captionOrPath, "click CAPTION|PATH");
  ClickMenuItem(session_, captionOrPath);
}

void ShellCommands::Answer(const std::string& answer) {
  if (answer == "yes") {
    session_.AnswerNextQuestion(cli::Answer::Yes);
  } else if (answer == "no") {
    session_.AnswerNextQuestion(cli::Answer::No);
  } else {
    throw CommandError("usage: answer yes|no");
  }
}

void ShellCommands::Info() {
  PrintSheets(std::cout, session_.workbook());
  std::cout << std::flush;
}

}  // namespace tabulara::cli
