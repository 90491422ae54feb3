#include "xlsx/structure/workbook_kinds.h"

#include <algorithm>
#include <array>

namespace tabulara::xlsx {
namespace {

constexpr std::array<WorkbookKind, 5> kWorkbookKinds{{
    {"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml", ".xlsx", "workbook"},
    {"application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml", ".xltx", "template"},
    {"application/vnd.ms-excel.sheet.macroEnabled.main+xml", ".xlsm", "macro-enabled workbook"},
    {"application/vnd.ms-excel.template.macroEnabled.main+xml", ".xltm", "macro-enabled template"},
    {"application/vnd.ms-excel.addin.macroEnabled.main+xml", ".xlam", "macro-enabled add-in"},
}};

}  // namespace

const WorkbookKind* WorkbookKindOf(std::string_view contentType) {
  const auto kind = std::find_if(kWorkbookKinds.begin(), kWorkbookKinds.end(),
                                 [&](const WorkbookKind& each) { return each.contentType == contentType; });
  return kind == kWorkbookKinds.end() ? nullptr : &*kind;
}

}  // namespace tabulara::xlsx
