#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "embedded/model/cell_address.h"
#include "host/constants.h"

namespace tabulara::embedded::model {

enum class ShapeKind { Line, Picture, Chart, AutoShape, TextBox, FormControl, Group, CommentBox };

// A colour given as a scheme colour or as RGB (0x00BBGGRR); setting one
// drops the other.
struct Color {
  std::optional<int> schemeColor;
  std::optional<std::int32_t> rgb;
  friend bool operator==(const Color&, const Color&) = default;
};

struct LineFormat {
  float weight = 0.75f;
  int dashStyle = host::msoLineSolid;
  int style = host::msoLineSingle;
  float transparency = 0;
  int visible = host::msoTrue;
  Color foreColor;
  Color backColor;
  friend bool operator==(const LineFormat&, const LineFormat&) = default;
};

// A drawing object of a worksheet.
struct Shape {
  // Unique on its sheet and never reused.
  std::uint32_t id = 0;
  ShapeKind kind = ShapeKind::AutoShape;
  std::string name;
  // Points, from the sheet's top-left corner.
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  // A line runs from the top-left to the bottom-right corner of its box
  // unless flipped.
  bool flipHorizontal = false;
  bool flipVertical = false;
  // MsoAutoShapeType, for auto shapes, text boxes and comment boxes.
  int autoShapeType = host::msoShapeRectangle;
  LineFormat line;
  bool printObject = true;
  bool visible = true;
  // The cell whose comment the box shows.
  std::optional<CellAddress> commentCell;
  // The members of a group.
  std::vector<Shape> members;
};

}  // namespace tabulara::embedded::model
