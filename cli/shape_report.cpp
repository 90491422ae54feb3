#include "cli/shape_report.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include "cli/terminal_text.h"

namespace tabulara::cli {
namespace {

namespace model = embedded::model;

std::string KindText(const model::Shape& shape) {
  const std::string type = " " + std::to_string(shape.autoShapeType);
  switch (shape.kind) {
    case model::ShapeKind::Line:
      return "line";
    case model::ShapeKind::Picture:
      return "picture";
    case model::ShapeKind::Chart:
      return "chart";
    case model::ShapeKind::AutoShape:
      return "auto shape" + type;
    case model::ShapeKind::TextBox:
      return "text box" + type;
    case model::ShapeKind::FormControl:
      return "form control";
    case model::ShapeKind::Group:
      return "group";
    case model::ShapeKind::CommentBox:
      return "comment box" + type;
  }
  return "shape";
}

// A measure in points, as short as it is exact to a hundredth.
std::string Points(double points) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", std::round(points * 100) / 100);
  return text;
}

std::string GeometryText(const model::Shape& shape) {
  if (shape.kind != model::ShapeKind::Line) {
    return "box " + Points(shape.left) + "," + Points(shape.top) + " " + Points(shape.width) + "x" +
           Points(shape.height);
  }
  const double right = shape.left + shape.width;
  const double bottom = shape.top + shape.height;
  const double beginX = shape.flipHorizontal ? right : shape.left;
  const double endX = shape.flipHorizontal ? shape.left : right;
  const double beginY = shape.flipVertical ? bottom : shape.top;
  const double endY = shape.flipVertical ? shape.top : bottom;
  return "from " + Points(beginX) + "," + Points(beginY) + " to " + Points(endX) + "," + Points(endY);
}

std::string ColorText(const model::Color& color) {
  if (color.schemeColor) return "\tscheme " + std::to_string(*color.schemeColor);
  if (!color.rgb) return "";
  // The host keeps RGB as 0x00BBGGRR.
  const auto rgb = static_cast<unsigned>(*color.rgb);
  char text[16];
  std::snprintf(text, sizeof text, "\trgb #%02X%02X%02X", rgb & 0xFFU, (rgb >> 8) & 0xFFU, (rgb >> 16) & 0xFFU);
  return text;
}

}  // namespace

void PrintShapes(std::ostream& out, const model::Sheet& sheet) {
  for (const model::Shape& shape : sheet.shapes()) {
    out << TerminalText(shape.name) << '\t' << KindText(shape) << '\t' << GeometryText(shape) << "\tweight "
        << Points(shape.line.weight) << ColorText(shape.line.foreColor) << (shape.printObject ? "" : "\tnot printed")
        << '\n';
  }
}

}  // namespace tabulara::cli
