#pragma once

#include <cstdint>
#include <exception>
#include <functional>
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

// What a sheet's part holds beyond its entry in the workbook; only
// worksheets use the cells, drawing objects, comments and hyperlinks.
struct SheetContent {
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
};

// A sheet of any kind. Its content may be read from the workbook's file when
// it is first wanted: a sheet nothing looks into is never read.
class Sheet {
 public:
  // Reads the content into the sheet it is given.
  using ContentLoader = std::function<void(Sheet&)>;

  Sheet() = default;
  // A copy has the content of the original, read first if need be.
  Sheet(const Sheet& other);
  Sheet& operator=(const Sheet& other);

  SheetKind kind = SheetKind::Worksheet;
  std::string name;
  // xlSheetVisible, xlSheetHidden or xlSheetVeryHidden.
  int visibility = host::xlSheetVisible;
  // How often the sheet was recalculated.
  int calculations = 0;
  // Where the workbook last found the sheet in tab order; see
  // Workbook::IndexOf.
  mutable std::size_t tabIndexHint = 0;

  // The content is read by `loader` when first wanted; `hasShapes` false
  // says the file gives the sheet no drawing objects, so that they can be
  // listed without reading the rest.
  void LoadContentLater(ContentLoader loader, bool hasShapes);
  // Whether the content is in memory: made here, or read from the file.
  bool ContentLoaded() const { return !loader_ && !failure_; }
  // Whether the content is still to be read.
  bool ContentPending() const { return static_cast<bool>(loader_); }
  // Reads the content now; the loader's error when it fails, then and at
  // every later use of the content.
  void LoadContent() const;

  SheetProtection& protection() { return Content().protection; }
  const SheetProtection& protection() const { return Content().protection; }
  Grid& grid() { return Content().grid; }
  const Grid& grid() const { return Content().grid; }
  std::vector<Shape>& shapes() { return Content().shapes; }
  const std::vector<Shape>& shapes() const;
  std::map<CellAddress, Comment>& comments() { return Content().comments; }
  const std::map<CellAddress, Comment>& comments() const { return Content().comments; }
  std::vector<Hyperlink>& hyperlinks() { return Content().hyperlinks; }
  const std::vector<Hyperlink>& hyperlinks() const { return Content().hyperlinks; }
  Selection& selection() { return Content().selection; }
  const Selection& selection() const { return Content().selection; }
  AreaRules& areaRules() { return Content().areaRules; }
  const AreaRules& areaRules() const { return Content().areaRules; }
  std::vector<CellRect>& tableHeaders() { return Content().tableHeaders; }
  const std::vector<CellRect>& tableHeaders() const { return Content().tableHeaders; }
  std::uint32_t& nextShapeId() { return Content().nextShapeId; }

  Shape* FindShape(std::uint32_t id);
  const Shape* FindShape(std::uint32_t id) const;

 private:
  SheetContent& Content() {
    if (!ContentLoaded()) LoadContent();
    return content_;
  }
  const SheetContent& Content() const {
    if (!ContentLoaded()) LoadContent();
    return content_;
  }

  mutable SheetContent content_;
  mutable ContentLoader loader_;
  mutable std::exception_ptr failure_;
  bool hasShapes_ = true;
};

}  // namespace tabulara::embedded::model
