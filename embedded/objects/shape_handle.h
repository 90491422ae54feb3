#pragma once

#include <cstdint>

#include "embedded/objects/sheet_handle.h"

namespace tabulara::embedded {

// A drawing object with its sheet, both alive.
struct ShapeTarget {
  SheetTarget sheet;
  model::Shape* shape;
};

// How a reference holds a drawing object of a sheet.
class ShapeHandle {
 public:
  ShapeHandle(const SheetTarget& target, std::uint32_t id) : sheet_(target), id_(id) {}

  // Raises "Object required" when the shape or its sheet was deleted.
  ShapeTarget Resolve() const;
  std::uint32_t id() const { return id_; }

 private:
  SheetHandle sheet_;
  std::uint32_t id_;
};

}  // namespace tabulara::embedded
