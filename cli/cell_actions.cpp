#include "cli/cell_actions.h"

#include <ostream>
#include <stdexcept>

#include "cli/menu_actions.h"
#include "cli/shape_report.h"
#include "cli/terminal_text.h"
#include "embedded/rules/reference_text.h"

namespace tabulara::cli {
namespace {

constexpr int kCommentStyles = 10;

embedded::model::Sheet& ActiveSheet(HostSession& session) {
  embedded::model::Sheet* sheet = session.workbook().ActiveSheet().get();
  if (sheet == nullptr) throw std::invalid_argument("the workbook has no active sheet");
  return *sheet;
}

embedded::model::Sheet& ActiveWorksheet(HostSession& session) {
  embedded::model::Sheet* sheet = &ActiveSheet(session);
  if (sheet->kind != embedded::model::SheetKind::Worksheet) {
    throw std::invalid_argument("the active sheet " + TerminalText(sheet->name) + " has no cells");
  }
  return *sheet;
}

// The catalogue entry of a comment style's caption: lang027 for style 1.
std::string CommentStyleKey(int style) { return "lang0" + std::to_string(26 + style); }

}  // namespace

void PrintActiveSheetShapes(std::ostream& out, HostSession& session) {
  PrintShapes(out, ActiveSheet(session));
  out << std::flush;
}

std::string ActiveCellReference(HostSession& session) {
  const embedded::model::CellAddress cell = ActiveWorksheet(session).selection().activeCell;
  return embedded::ColumnLetters(cell.column) + std::to_string(cell.row);
}

void DoubleClickCell(HostSession& session, const std::string& cell) {
  ActiveWorksheet(session);
  session.CallAddin([&] { session.host().DoubleClick(cell); });
}

void RightClickCell(HostSession& session, const std::string& cell) {
  ActiveWorksheet(session);
  session.CallAddin([&] { session.host().RightClick(cell); });
}

int CommentStyleNumber(const std::string& text) {
  std::size_t end = 0;
  int style = 0;
  try {
    style = std::stoi(text, &end);
  } catch (const std::logic_error&) {
    end = 0;
  }
  if (end == 0 || end != text.size() || style < 1 || style > kCommentStyles) {
    throw std::invalid_argument("the comment style is a number from 1 to " + std::to_string(kCommentStyles) +
                                ", not \"" + text + "\"");
  }
  return style;
}

void ApplyCommentStyle(HostSession& session, int style, const std::string& cell) {
  RightClickCell(session, cell);
  ClickContextMenuItem(session, {MenuCaption("lang002"), MenuCaption(CommentStyleKey(style).c_str())}, cell);
}

}  // namespace tabulara::cli
