#include "cli/shell_commands.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "cli/addins_dialog.h"
#include "cli/cell_actions.h"
#include "cli/command_errors.h"
#include "cli/menu_actions.h"
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

std::string_view NameOf(std::string_view usage) { return usage.substr(0, usage.find(' ')); }

// Whether the command takes an argument it cannot do without.
bool NeedsArgument(std::string_view usage) {
  const auto space = usage.find(' ');
  return space != std::string_view::npos && usage[space + 1] != '[';
}

}  // namespace

const ShellCommands::Entry ShellCommands::kEntries[] = {
    {{"open FILE", "open a workbook in place of the open one"}, &ShellCommands::Open},
    {{"save [FILE]", "save the workbook (to FILE, else to --output or where it came from)"}, &ShellCommands::Save},
    {{"sheet NAME", "make a sheet active"}, &ShellCommands::Sheet},
    {{"select RANGE", "select cells, as the Go To box takes them (A1:C9, Data!A1, 'My sheet'!A1:B2,D4)"},
     &ShellCommands::Select},
    {{"cell REF", "make a cell (Data!B3 on another sheet) the active cell and the selection"}, &ShellCommands::Cell},
    {{"click CAPTION|PATH", "click a menu item by caption, or by path (\"Tabulara/Miscellaneous/Run MSN\")"},
     &ShellCommands::Click},
    {{"double-click REF", "double-click a cell of the active sheet"}, &ShellCommands::DoubleClick},
    {{"right-click REF", "right-click a cell of the active sheet and print the cell context menu as it shows"},
     &ShellCommands::RightClick},
    {{"cell-spotter REF", "make a cell of the active sheet active and click \"Cell Spotter\""},
     &ShellCommands::CellSpotter},
    {{"clear-spotter", "click \"Clear Cell Spotter\""}, &ShellCommands::ClearSpotter},
    {{"unify-font", "click \"Unify Sheets Font\""}, &ShellCommands::UnifyFont},
    {{"comment-style N REF", "right-click a cell, then click \"Comment Style\", \"Style N\" (1 to 10)"},
     &ShellCommands::CommentStyle},
    {{"shapes", "the active sheet's shapes: name, kind, points, line weight and colour, whether printed"},
     &ShellCommands::Shapes},
    {{"answer yes|no", "the answer to the next Yes/No question"}, &ShellCommands::Answer},
    {{"menu", "the add-in's menus as they are shown"}, &ShellCommands::Menu},
    {{"get REF", "a cell's value and formula on the active sheet"}, &ShellCommands::Get},
    {{"info", "the sheets and the active sheet"}, &ShellCommands::Info},
    {{"addins [+|-PROGID]", "the host's automation add-ins ([x] installed), after installing (+) or uninstalling (-) one"},
     &ShellCommands::AddIns},
    {{"calculate", "calculate the open workbook's formulas, as F9 does"}, &ShellCommands::Calculate},
    {{"quit", "end the session"}, &ShellCommands::Quit},
};

std::vector<ShellCommands::Help> ShellCommands::Helps() {
  std::vector<Help> helps;
  for (const Entry& entry : kEntries) helps.push_back(entry.help);
  return helps;
}

ShellCommands::ShellCommands(HostSession& session, std::optional<std::filesystem::path> output)
    : session_(session), output_(std::move(output)) {
  if (session_.HasWorkbook()) saveTarget_ = output_.value_or(session_.path());
}

bool ShellCommands::Run(const std::string& line) {
  const std::string command = Trim(line);
  if (command.empty() || command.front() == '#') return true;
  const auto end = command.find_first_of(kBlanks);
  const std::string name = command.substr(0, end);
  const std::string argument = end == std::string::npos ? "" : Trim(command.substr(end));
  const auto entry = std::find_if(std::begin(kEntries), std::end(kEntries),
                                  [&](const Entry& e) { return NameOf(e.help.usage) == name; });
  try {
    if (entry == std::end(kEntries)) {
      std::string names;
      for (const Entry& e : kEntries) names += (names.empty() ? "" : ", ") + std::string(NameOf(e.help.usage));
      throw CommandError("unknown command \"" + name + "\" (commands: " + names + ")");
    }
    if (argument.empty() && NeedsArgument(entry->help.usage)) {
      throw CommandError("usage: " + std::string(entry->help.usage));
    }
    (this->*entry->run)(argument);
  } catch (const xlsx::PackageError& error) {
    PrintCommandError(error.what());
    session_.Fail(ExitStatus::Failure);
  } catch (const std::invalid_argument& error) {
    PrintCommandError(error.what());
    session_.Fail(ExitStatus::Failure);
  }
  if (!ended_) session_.UpdateCommandBars();
  return !ended_;
}

void ShellCommands::Open(const std::string& file) {
  session_.Open(file);
  saveTarget_ = file;
}

void ShellCommands::Save(const std::string& file) {
  const std::filesystem::path target = file.empty() ? saveTarget_ : std::filesystem::path(file);
  if (!session_.HasWorkbook()) throw CommandError("no workbook is open");
  session_.Save(target);
}

void ShellCommands::Sheet(const std::string& name) {
  embedded::EmbeddedHost& host = session_.host();
  host.Activate(host.Sheet(session_.workbook(), name));
}

void ShellCommands::Select(const std::string& areas) { session_.host().GoTo(areas); }

void ShellCommands::Cell(const std::string& cell) { session_.host().GoTo(cell, cell); }

void ShellCommands::Click(const std::string& captionOrPath) { ClickMenuItem(session_, captionOrPath); }

void ShellCommands::DoubleClick(const std::string& cell) { DoubleClickCell(session_, cell); }

void ShellCommands::RightClick(const std::string& cell) {
  RightClickCell(session_, cell);
  PrintContextMenu(std::cout, session_);
  std::cout << std::flush;
}

void ShellCommands::CellSpotter(const std::string& cell) {
  session_.host().GoTo(cell, cell);
  ClickMenuItem(session_, MenuCaption("lang013"));
}

void ShellCommands::ClearSpotter(const std::string&) { ClickMenuItem(session_, MenuCaption("lang014")); }

void ShellCommands::UnifyFont(const std::string&) { ClickMenuItem(session_, MenuCaption("lang018")); }

void ShellCommands::CommentStyle(const std::string& styleAndCell) {
  const auto space = styleAndCell.find_first_of(kBlanks);
  if (space == std::string::npos) throw CommandError("usage: comment-style N REF");
  const int style = CommentStyleNumber(styleAndCell.substr(0, space));
  ApplyCommentStyle(session_, style, Trim(styleAndCell.substr(space)));
}

void ShellCommands::Shapes(const std::string&) { PrintActiveSheetShapes(std::cout, session_); }

void ShellCommands::Answer(const std::string& answer) {
  if (answer == "yes") {
    session_.AnswerNextQuestion(cli::Answer::Yes);
  } else if (answer == "no") {
    session_.AnswerNextQuestion(cli::Answer::No);
  } else {
    throw CommandError("usage: answer yes|no");
  }
}

void ShellCommands::Menu(const std::string&) {
  PrintMenus(std::cout, session_);
  std::cout << std::flush;
}

void ShellCommands::Get(const std::string& cell) {
  embedded::model::Sheet* sheet = session_.workbook().ActiveSheet().get();
  if (sheet == nullptr) throw CommandError("the workbook has no active sheet");
  PrintCell(std::cout, session_.host(), *sheet, cell);
  std::cout << std::flush;
}

void ShellCommands::Calculate(const std::string&) {
  if (!session_.HasWorkbook()) throw CommandError("no workbook is open");
  session_.Calculate();
}

void ShellCommands::Info(const std::string&) {
  PrintSheets(std::cout, session_.workbook());
  std::cout << std::flush;
}

void ShellCommands::AddIns(const std::string& change) {
  const std::string progID = change.empty() ? "" : Trim(change.substr(1));
  if (!change.empty() && progID.empty()) throw CommandError("usage: addins [+|-PROGID]");
  if (change.starts_with('+')) {
    InstallAddIn(session_.host(), progID);
  } else if (change.starts_with('-')) {
    UninstallAddIn(session_.host(), progID);
  } else if (!change.empty()) {
    throw CommandError("usage: addins [+|-PROGID]");
  }
  PrintAddIns(std::cout, session_.host().addIns());
  std::cout << std::flush;
}

void ShellCommands::Quit(const std::string&) { ended_ = true; }

}  // namespace tabulara::cli
