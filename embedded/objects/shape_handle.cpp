#include "embedded/objects/shape_handle.h"

#include "embedded/rules/host_errors.h"

namespace tabulara::embedded {

ShapeTarget ShapeHandle::Resolve() const {
  SheetTarget sheet = sheet_.Resolve();
  model::Shape* shape = sheet.sheet->FindShape(id_);
  if (shape == nullptr) throw ObjectDeleted();
  return {sheet, shape};
}

}  // namespace tabulara::embedded
