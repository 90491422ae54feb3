#pragma once

#include <optional>
#include <string>

#include "embedded/model/sheet.h"

namespace tabulara::xlsx::structure {

// The kind of a sheet part, by the workbook part's relationship to it and
// its content type; macro sheets count as dialog sheets, the model's kind
// for sheets that are neither worksheets nor charts. Nothing for a part that
// is no sheet.
std::optional<embedded::model::SheetKind> SheetKindOf(const std::string& relationshipType,
                                                      const std::string& contentType);

// Where a new sheet of a kind goes ("xl/worksheets/sheet"), its
// relationship type, content type and root element.
struct SheetPartKind {
  const char* folderAndStem;
  const char* relationshipType;
  const char* contentType;
  const char* rootElement;
};
SheetPartKind PartKindOf(embedded::model::SheetKind kind);

}  // namespace tabulara::xlsx::structure
