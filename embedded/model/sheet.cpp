#include "embedded/model/sheet.h"

#include <algorithm>

namespace tabulara::embedded::model {

Shape* Sheet::FindShape(std::uint32_t id) {
  auto found = std::find_if(shapes.begin(), shapes.end(), [id](const Shape& shape) { return shape.id == id; });
  return found != shapes.end() ? &*found : nullptr;
}

const Shape* Sheet::FindShape(std::uint32_t id) const { return const_cast<Sheet*>(this)->FindShape(id); }

}  // namespace tabulara::embedded::model
