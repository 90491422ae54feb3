#pragma once

#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

// The workbook aspect of type T among the open package's aspects, or null.
template <class T>
T* FindWorkbookAspect(WorkbookParts& parts) {
  for (const auto& aspect : parts.aspects) {
    if (auto* found = dynamic_cast<T*>(aspect.get())) return found;
  }
  return nullptr;
}

// The aspect of type T of a sheet part, or null.
template <class T>
T* FindSheetAspect(SheetPart& sheet) {
  for (const auto& aspect : sheet.aspects) {
    if (auto* found = dynamic_cast<T*>(aspect.get())) return found;
  }
  return nullptr;
}

}  // namespace tabulara::xlsx
