#include "commands/sheet_shapes.h"

namespace tabulara::commands {

std::vector<host::Ref<host::Shape>> ShapesOf(const host::Ref<host::Worksheet>& sheet) {
  std::vector<host::Ref<host::Shape>> shapes;
  for (const auto& shape : host::Each(sheet->Shapes())) shapes.push_back(shape);
  return shapes;
}

}  // namespace tabulara::commands
