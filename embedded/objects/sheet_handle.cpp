#include "embedded/objects/sheet_handle.h"

#include "embedded/rules/host_errors.h"

namespace tabulara::embedded {

SheetTarget SheetHandle::Resolve() const {
  SheetTarget target{workbook_.lock(), sheet_.lock()};
  if (!target.workbook || !target.sheet || target.workbook->IndexOf(*target.sheet) < 0) throw ObjectDeleted();
  return target;
}

}  // namespace tabulara::embedded
