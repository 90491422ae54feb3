#include "embedded/rules/drawing.h"

#include <algorithm>
#include <cmath>

#include "embedded/rules/geometry.h"
#include "embedded/rules/range_edits.h"
#include "embedded/rules/table_headers.h"
#include "host/constants.h"

namespace tabulara::embedded {
namespace {

using model::ShapeKind;

// The size of a new comment's box, and its distance from the cell.
constexpr double kCommentWidth = 96;
constexpr double kCommentHeight = 55.5;
constexpr double kCommentOffsetX = 11.25;
constexpr double kCommentOffsetY = 7.5;

std::string KindName(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::Line:
      return "Straight Connector";
    case ShapeKind::Picture:
      return "Picture";
    case ShapeKind::Chart:
      return "Chart";
    case ShapeKind::AutoShape:
      return "Rectangle";
    case ShapeKind::TextBox:
      return "TextBox";
    case ShapeKind::FormControl:
      return "Button";
    case ShapeKind::Group:
      return "Group";
    case ShapeKind::CommentBox:
      return "Comment";
  }
  return "Shape";
}

}  // namespace

int ShapeType(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::Line:
      return host::msoLine;
    case ShapeKind::Picture:
      return host::msoPicture;
    case ShapeKind::Chart:
      return host::msoChart;
    case ShapeKind::AutoShape:
      return host::msoAutoShape;
    case ShapeKind::TextBox:
      return host::msoTextBox;
    case ShapeKind::FormControl:
      return host::msoFormControl;
    case ShapeKind::Group:
      return host::msoGroup;
    case ShapeKind::CommentBox:
      return host::msoComment;
  }
  return host::msoAutoShape;
}

model::Shape& AddShape(model::Sheet& sheet, ShapeKind kind) {
  model::Shape& shape = sheet.shapes().emplace_back();
  shape.id = sheet.nextShapeId()++;
  shape.kind = kind;
  shape.name = KindName(kind) + " " + std::to_string(shape.id);
  return shape;
}

model::Shape& AddLine(model::Sheet& sheet, double beginX, double beginY, double endX, double endY) {
  model::Shape& line = AddShape(sheet, ShapeKind::Line);
  line.left = std::min(beginX, endX);
  line.top = std::min(beginY, endY);
  line.width = std::abs(endX - beginX);
  line.height = std::abs(endY - beginY);
  line.flipHorizontal = endX < beginX;
  line.flipVertical = endY < beginY;
  return line;
}

void DeleteShape(model::Sheet& sheet, std::uint32_t id) {
  const model::Shape* shape = sheet.FindShape(id);
  if (shape == nullptr) return;
  if (shape->commentCell) sheet.comments().erase(*shape->commentCell);
  std::erase_if(sheet.shapes(), [id](const model::Shape& candidate) { return candidate.id == id; });
}

model::Comment& AddComment(model::Workbook& workbook, model::Sheet& sheet, model::CellAddress cell,
                           const std::string& text) {
  if (auto old = sheet.comments().find(cell); old != sheet.comments().end()) DeleteShape(sheet, old->second.shape);
  Box box = AreaBox(workbook, sheet.grid(), model::CellRect::Of(cell));
  model::Shape& shape = AddShape(sheet, ShapeKind::CommentBox);
  shape.left = box.left + box.width + kCommentOffsetX;
  shape.top = std::max(0.0, box.top - kCommentOffsetY);
  shape.width = kCommentWidth;
  shape.height = kCommentHeight;
  shape.visible = false;
  shape.commentCell = cell;
  model::Comment& comment = sheet.comments()[cell];
  comment.text = text;
  comment.shape = shape.id;
  return comment;
}

void AddHyperlink(model::Workbook& workbook, model::Sheet& sheet, const model::CellRect& anchor,
                  const std::string& address, const std::string& subAddress) {
  std::erase_if(sheet.hyperlinks(), [&](const model::Hyperlink& link) { return link.anchor.Intersects(anchor); });
  sheet.hyperlinks().push_back({anchor, address, subAddress});
  ApplyStyle(workbook, sheet, anchor, "Hyperlink");
  model::CellAddress cell = anchor.TopLeft();
  const model::Cell* shown = sheet.grid().Find(cell);
  if (shown == nullptr || (shown->kind == model::ValueKind::Empty && !shown->hasFormula)) {
    sheet.grid().Obtain(cell).SetText(workbook.strings.Intern(address.empty() ? subAddress : address));
    KeepTableHeaders(workbook, sheet, {model::CellRect::Of(cell)});
  }
}

}  // namespace tabulara::embedded
