#include "cli/workbook_report.h"

#include <ostream>

#include "cli/terminal_text.h"
#include "host/constants.h"
#include "host/conversions.h"

namespace tabulara::cli {
namespace {

namespace model = embedded::model;

const char* KindName(model::SheetKind kind) {
  switch (kind) {
    case model::SheetKind::Worksheet:
      return "worksheet";
    case model::SheetKind::Chart:
      return "chart";
    case model::SheetKind::DialogSheet:
      return "dialog";
  }
  return "worksheet";
}

const char* VisibilityName(int visibility) {
  if (visibility == host::xlSheetHidden) return "hidden";
  if (visibility == host::xlSheetVeryHidden) return "very hidden";
  return "visible";
}

std::string ErrorName(int code) {
  switch (code) {
    case host::xlErrNull:
      return "#NULL!";
    case host::xlErrDiv0:
      return "#DIV/0!";
    case host::xlErrValue:
      return "#VALUE!";
    case host::xlErrRef:
      return "#REF!";
    case host::xlErrName:
      return "#NAME?";
    case host::xlErrNum:
      return "#NUM!";
    case host::xlErrNA:
      return "#N/A";
  }
  return "Error " + std::to_string(code);
}

}  // namespace

void PrintSheets(std::ostream& out, const model::Workbook& workbook) {
  for (const auto& sheet : workbook.sheets) {
    out << TerminalText(sheet->name) << '\t' << KindName(sheet->kind) << '\t' << VisibilityName(sheet->visibility) << '\n';
  }
  const auto active = workbook.ActiveSheet();
  out << "active sheet: " << (active ? TerminalText(active->name) : "(none)") << '\n';
}

std::string CellText(const host::Variant& value) {
  switch (value.kind()) {
    case host::Variant::Kind::Empty:
      return "";
    case host::Variant::Kind::Logical:
      return value.AsLogical() ? "TRUE" : "FALSE";
    case host::Variant::Kind::Error:
      return ErrorName(value.AsError().code);
    case host::Variant::Kind::Text:
      return value.AsText();
    default:
      return host::ToText(value);
  }
}

void PrintCell(std::ostream& out, const embedded::EmbeddedHost& host, const model::Sheet& sheet,
               const std::string& cell) {
  const host::Variant value = host.Value(sheet, cell);
  const std::optional<std::string> formula = host.Formula(sheet, cell);
  out << "value: " << TerminalText(CellText(value)) << '\n';
  if (formula) out << "formula: " << TerminalText(*formula) << '\n';
}

}  // namespace tabulara::cli
