#pragma once

#include <string_view>

namespace tabulara::xlsx {

// A kind of workbook package, told by the content type of its main part,
// and the extension its file name must end in for a spreadsheet program to
// open it.
struct WorkbookKind {
  std::string_view contentType;
  std::string_view extension;
  std::string_view description;
};

// The kind of workbook whose main part has this content type; nothing for
// a part that is no workbook.
const WorkbookKind* WorkbookKindOf(std::string_view contentType);

}  // namespace tabulara::xlsx
