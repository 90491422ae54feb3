#include "xlsx/structure/sheet_kinds.h"

#include <string_view>

#include "xlsx/opc/content_types.h"
#include "xlsx/opc/relationships.h"

namespace tabulara::xlsx::structure {
namespace {

using embedded::model::SheetKind;

constexpr const char* kRelDialogsheet =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/dialogsheet";
constexpr const char* kContentTypeChartsheet =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.chartsheet+xml";
constexpr const char* kContentTypeDialogsheet =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.dialogsheet+xml";

bool EndsWith(std::string_view text, std::string_view end) { return text.ends_with(end); }

}  // namespace

std::optional<SheetKind> SheetKindOf(const std::string& relationshipType, const std::string& contentType) {
  if (EndsWith(relationshipType, "/chartsheet") || contentType == kContentTypeChartsheet) return SheetKind::Chart;
  if (EndsWith(relationshipType, "/dialogsheet") || EndsWith(relationshipType, "/xlMacrosheet") ||
      EndsWith(relationshipType, "/xlIntlMacrosheet") || contentType == kContentTypeDialogsheet ||
      EndsWith(contentType, "macrosheet+xml")) {
    return SheetKind::DialogSheet;
  }
  if (EndsWith(relationshipType, "/worksheet")) return SheetKind::Worksheet;
  return std::nullopt;
}

SheetPartKind PartKindOf(SheetKind kind) {
  switch (kind) {
    case SheetKind::Chart:
      return {"xl/chartsheets/sheet", kRelChartsheet, kContentTypeChartsheet, "chartsheet"};
    case SheetKind::DialogSheet:
      return {"xl/dialogsheets/sheet", kRelDialogsheet, kContentTypeDialogsheet, "dialogsheet"};
    case SheetKind::Worksheet:
      break;
  }
  return {"xl/worksheets/sheet", kRelWorksheet, kContentTypeWorksheet, "worksheet"};
}

}  // namespace tabulara::xlsx::structure
