#include "embedded/objects/sheet_handle.h"

#include "embedded/rules/host_errors.h"

namespace tabulara::embedded {

SheetTarget SheetHandle::Resolve() const {
  SheetTarget target{workbook_.lock(), sheet_.lock()};
  if (!target.workbook || !target.sheet || target.workbook->IndexOf(*target.sheet) < 0) throw ObjectDeleted();
  return target;
}

SheetView SheetHandle::Peek() const {
  if (workbook_.expired() || sheet_.expired() || workbookAt_->IndexOf(*sheetAt_) < 0) throw ObjectDeleted();
  return {*workbookAt_, *sheetAt_};
}

}  // namespace tabulara::embedded
