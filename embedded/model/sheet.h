#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "embedded/model/cell_address.h"
#include "embedded/model/grid.h"
#include "embedded/model/shape.h"
#include "host/constants.h"

namespace tabulara::embedded::model {

enum class SheetKind { Worksheet, Chart, DialogSheet };

// Protection of a worksheet; the flags say what it protects while on.
struct SheetProtection {
  bool isProtected = false;
  bool contents = true;
  bool drawingObjects = true;
  bool scenarios = true;
};

// A cell's comment; its box is the comment-box shape `shape`.
struct Comment {
  std::string author;
  std::string text;
  bool visible = false;
  std::uint32_t shape = 0;
};

struct Hyperlink {
  CellRect anchor;
  std::string address;
  // A place in the workbook, e.g. "Sheet2!A1".
  std::string subAddress;
};

// What is selected on a sheet: cell areas with the active cell among them,
// or a drawing object.
struct Selection {
  std::vector<CellRect> areas{CellRect{}};
  CellAddress activeCell;
  std::optional<std::uint32_t> shape;
};

// The rules of a worksheet that cover areas, one entry per rule in the
// order the file lists them: merged cells, and the cells each conditional
// format and each data validation applies to (none left: the rule goes).
struct AreaRules {
  Areas merged;
  std::vector<Areas> conditionalFormats;
  std::vector<Areas> validations;
  friend bool operator==(const AreaRules&, const AreaRules&) = default;
};

// A sheet of any kind; only worksheets use the cells, drawing objects,
// comments and hyperlinks.
struct Sheet {
  SheetKind kind = SheetKind::Worksheet;
  std::string name;
  // xlSheetVisible, xlSheetHidden or xlSheetVeryHidden.
  int visibility = host::xlSheetVisible;
  SheetProtection protection;
  Grid grid;
  // In z-order, comment boxes among them.
  std::vector<Shape> shapes;
  std::map<CellAddress, Comment> comments;
  std::vector<Hyperlink> hyperlinks;
  Selection selection;
  AreaRules areaRules;
  // The header rows of the sheet's tables.
  std::vector<CellRect> tableHeaders;
  // Numbers the default names of new shapes ("Straight Connector 3").
  std::uint32_t nextShapeId = 1;
  // How often the sheet was recalculated.
  int calculations = 0;
  // Where the workbook last found the sheet in tab order; see
  // Workbook::IndexOf.
  mutable std::size_t tabIndexHint = 0;

  Shape* FindShape(std::uint32_t id);
  const Shape* FindShape(std::uint32_t id) const;
};

}  // namespace tabulara::embedded::model
