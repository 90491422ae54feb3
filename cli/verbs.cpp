#include "cli/verbs.h"

#include <iostream>

#include "cli/addins_dialog.h"
#include "cli/cell_actions.h"
#include "cli/command_errors.h"
#include "cli/command_line_workbook.h"
#include "cli/host_session.h"
#include "cli/menu_actions.h"
#include "cli/shell.h"
#include "cli/terminal_dialogs.h"
#include "cli/workbook_report.h"
#include "xlsx/package/package_error.h"

namespace tabulara::cli {
namespace {

ExitStatus Info(const Arguments& arguments) {
  return RunOnWorkbook(arguments, [](HostSession& session) { PrintSheets(std::cout, session.workbook()); });
}

// A verb that clicks the add-in's menu item of a catalogue entry.
template <const char* Key>
ExitStatus ClickItem(const Arguments& arguments) {
  return RunOnWorkbook(arguments, [](HostSession& session) { ClickMenuItem(session, MenuCaption(Key)); });
}

constexpr char kUpper[] = "lang004";
constexpr char kLower[] = "lang005";
constexpr char kCapitalize[] = "lang006";
constexpr char kSort[] = "lang007";
constexpr char kIndex[] = "lang008";
constexpr char kClearShapes[] = "lang009";
constexpr char kClearAll[] = "lang010";
constexpr char kTrim[] = "lang011";
constexpr char kClearHyperlinks[] = "lang012";
constexpr char kFormulasToValues[] = "lang015";
constexpr char kCellSpotter[] = "lang013";
constexpr char kClearSpotter[] = "lang014";
constexpr char kUnifyFont[] = "lang018";
constexpr char kConfig[] = "lang020";
constexpr char kAbout[] = "lang022";

// A verb on the --cell cell, which the frame makes the active cell.
bool HasCell(const Arguments& arguments) {
  if (arguments.cell) return true;
  PrintCommandError(arguments.verb + " needs --cell REF");
  return false;
}

// The spotter's lines are on screen only (the save clears them), so the
// verb shows them.
ExitStatus CellSpotter(const Arguments& arguments) {
  if (!HasCell(arguments)) return ExitStatus::Failure;
  return RunOnWorkbook(arguments, [](HostSession& session) {
    ClickMenuItem(session, MenuCaption(kCellSpotter));
    PrintActiveSheetShapes(std::cout, session);
  });
}

ExitStatus DoubleClick(const Arguments& arguments) {
  if (!HasCell(arguments)) return ExitStatus::Failure;
  return RunOnWorkbook(arguments, [](HostSession& session) {
    DoubleClickCell(session, ActiveCellReference(session));
    PrintActiveSheetShapes(std::cout, session);
  });
}

ExitStatus RightClick(const Arguments& arguments) {
  if (!HasCell(arguments)) return ExitStatus::Failure;
  return RunOnWorkbook(arguments, [](HostSession& session) {
    RightClickCell(session, ActiveCellReference(session));
    PrintContextMenu(std::cout, session);
  });
}

ExitStatus CommentStyle(const Arguments& arguments) {
  int style = 0;
  try {
    if (arguments.operands.size() != 1) throw std::invalid_argument("comment-style takes one N");
    style = CommentStyleNumber(arguments.operands.front());
  } catch (const std::invalid_argument& error) {
    PrintCommandError(error.what());
    return ExitStatus::Failure;
  }
  if (!HasCell(arguments)) return ExitStatus::Failure;
  return RunOnWorkbook(arguments, [style](HostSession& session) {
    ApplyCommentStyle(session, style, ActiveCellReference(session));
  });
}

ExitStatus Shapes(const Arguments& arguments) {
  return RunOnWorkbook(arguments, [](HostSession& session) { PrintActiveSheetShapes(std::cout, session); });
}

ExitStatus TrimCells(const Arguments& arguments) {
  if (!arguments.select) {
    PrintCommandError("trim-cells needs --select RANGE");
    return ExitStatus::Failure;
  }
  return ClickItem<kTrim>(arguments);
}

ExitStatus InsertTemplate(const Arguments& arguments) {
  return RunOnWorkbook(arguments, [&](HostSession& session) {
    const std::string path = MenuCaption("lang001") + "/" + MenuCaption("lang003") + "/" + arguments.operands.front();
    ClickMenuItem(session, path);
  });
}

ExitStatus Click(const Arguments& arguments) {
  return RunOnWorkbook(arguments, [&](HostSession& session) {
    for (const std::string& caption : arguments.operands) ClickMenuItem(session, caption);
  });
}

// A verb that opens a dialog of the add-in's menu on the terminal, over the
// blank workbook the host starts with.
template <const char* Key>
ExitStatus DialogItem(const Arguments& arguments) {
  if (!DialogsCanShow()) {
    PrintCommandError(arguments.verb + " needs a terminal: standard input and output are not one");
    return ExitStatus::Failure;
  }
  return RunOnWorkbook(arguments, [](HostSession& session) {
    session.host().NewWorkbook();
    session.UpdateCommandBars();
    ClickMenuItem(session, MenuCaption(Key));
  });
}

ExitStatus Calculate(const Arguments& arguments) {
  return RunOnWorkbook(arguments, [](HostSession& session) { session.Calculate(); });
}

ExitStatus Menu(const Arguments& arguments) {
  return RunOnWorkbook(arguments, [](HostSession& session) { PrintMenus(std::cout, session); });
}

constexpr Verb kVerbs[] = {
    {"info", true, "the workbook's sheets in tab order (name, kind, visibility), then the active sheet", Info},
    {"shell", false, "one host session, commands read from the terminal or from standard input", RunShell},
    {"upper-case-sheets", true, "every sheet name that is not hidden to upper case", ClickItem<kUpper>},
    {"lower-case-sheets", true, "every sheet name that is not hidden to lower case", ClickItem<kLower>},
    {"capitalize-sheets", true, "every sheet name that is not hidden capitalized", ClickItem<kCapitalize>},
    {"sort-sheets", true, "the sheets in ascending order of their names", ClickItem<kSort>},
    {"create-index", true, "an index sheet with a hyperlink to every visible worksheet", ClickItem<kIndex>},
    {"trim-cells", true, "blanks trimmed from the constants of the --select cells", TrimCells},
    {"clear-hyperlinks", true, "every hyperlink of the active worksheet deleted", ClickItem<kClearHyperlinks>},
    {"clear-shapes", true, "every shape of the active worksheet but comments deleted", ClickItem<kClearShapes>},
    {"clear-all", true, "every cell and shape of the active worksheet cleared", ClickItem<kClearAll>},
    {"formulas-to-values", true, "every formula of the active worksheet replaced by its value",
     ClickItem<kFormulasToValues>},
    {"cell-spotter", true,
     "four lines through the --cell cell, printed as `shapes` shows them (on screen only: the save clears them, "
     "so WORKBOOK stays as it was)",
     CellSpotter},
    {"clear-spotter", true, "the Cell Spotter's lines deleted from the active worksheet", ClickItem<kClearSpotter>},
    {"unify-font", true, "the font of the settings given to every cell of every unprotected worksheet",
     ClickItem<kUnifyFont>},
    {"comment-style", true, "the comment box of the --cell cell given style N (1 to 10) from its context menu",
     CommentStyle, "N"},
    {"double-click", true, "double-click the --cell cell, then print the active sheet's shapes", DoubleClick},
    {"right-click", true, "right-click the --cell cell and print the cell context menu as it shows", RightClick},
    {"shapes", true, "the active sheet's shapes: name, kind, points, line weight and colour, whether printed",
     Shapes},
    {"insert-template", true, "the sheets of the template NAME inserted before the active sheet", InsertTemplate,
     "NAME"},
    {"click", true, "click menu items by caption, or by path (\"Tabulara/Miscellaneous/Run MSN\")", Click,
     "CAPTION..."},
    {"calculate", true, "calculate the workbook's formulas, as F9 does", Calculate},
    {"menu", false, "the add-in's menus as they are shown", Menu},
    {"config", false, "the configuration dialog, on the terminal", DialogItem<kConfig>, nullptr, false},
    {"about", false, "the About dialog, on the terminal", DialogItem<kAbout>, nullptr, false},
    {"addins", false, "the host's automation add-ins, as its add-ins dialog shows them ([x] installed)", RunAddins,
     nullptr, false},
};

}  // namespace

std::span<const Verb> Verbs() { return kVerbs; }

ExitStatus RunOnWorkbook(const Arguments& arguments, const VerbAction& action) {
  HostSession session(arguments.answer, arguments.limits);
  if (!OpenCommandLineWorkbook(session, arguments)) return ExitStatus::Failure;
  session.Connect();
  try {
    action(session);
  } catch (const std::invalid_argument& error) {
    PrintCommandError(error.what());
    return ExitStatus::Failure;
  }
  if (session.Status() != ExitStatus::Ran || !(session.Changed() || arguments.output)) return session.Status();
  try {
    session.Save(arguments.output.value_or(*arguments.workbook),
                 arguments.output ? HostSession::Write::Always : HostSession::Write::WhenChanged);
  } catch (const xlsx::PackageError& error) {
    PrintCommandError(error.what());
    session.Fail(ExitStatus::Failure);
  }
  return session.Status();
}

}  // namespace tabulara::cli
