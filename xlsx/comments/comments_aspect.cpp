#include <algorithm>
#include <map>
#include <set>

#include "embedded/rules/drawing.h"
#include "embedded/rules/geometry.h"
#include "xlsx/aspects.h"
#include "xlsx/comments/comments_xml.h"
#include "xlsx/comments/threaded_comments.h"
#include "xlsx/comments/vml_notes.h"
#include "xlsx/drawing/worksheet_order.h"
#include "xlsx/drawing/xml_lookup.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

using embedded::model::CellAddress;
using embedded::model::Comment;
using embedded::model::Shape;
using embedded::model::ShapeKind;

inline constexpr const char* kVmlExtension = "vml";

// A part of the sheet's comments: its name, the sheet's relationship to it
// and its XML.
struct OwnPart {
  std::string name;
  std::string relationshipId;
  pugi::xml_document xml;
  bool readable = false;
  bool changed = false;
};

// A comment as read, with its box and where both live in the XML.
struct ReadComment {
  Comment comment;
  Shape box;
  pugi::xml_node entry;
  pugi::xml_node boxElement;
};

class CommentsAspect : public SheetAspect {
 public:
  void Read(WorkbookParts& parts, SheetPart& sheet) override {
    read_.clear();
    embedded::model::Sheet& model = *sheet.sheet;
    model.comments().clear();
    std::erase_if(model.shapes(), [](const Shape& shape) { return shape.kind == ShapeKind::CommentBox; });
    Relationships& relationships = parts.RelationshipsOf(sheet.partName);
    comments_ = {};
    vml_ = {};
    if (const Relationship* found = relationships.FindType(kRelComments)) Load(parts, sheet, *found, comments_, false);
    pugi::xml_attribute legacy = AttributeNamed(ChildNamed(sheet.xml.document_element(), "legacyDrawing"), "id");
    if (const Relationship* found = legacy ? relationships.Find(legacy.value()) : nullptr) {
      Load(parts, sheet, *found, vml_, true);
    }
    if (!comments_.readable) return;
    std::map<CellAddress, NoteBox> boxes;
    if (vml_.readable) {
      for (const NoteBox& box : ReadNoteBoxes(vml_.xml.document_element())) boxes.emplace(box.cell, box);
    }
    std::set<std::uint32_t> used;
    for (const Shape& shape : model.shapes()) CollectIds(shape, used);
    for (const CommentEntry& entry : ReadCommentEntries(comments_.xml.document_element())) {
      if (model.comments().contains(entry.cell)) continue;
      ReadComment read;
      read.entry = entry.element;
      read.comment.author = entry.author;
      read.comment.text = entry.text;
      read.box.kind = ShapeKind::CommentBox;
      read.box.commentCell = entry.cell;
      read.box.visible = false;
      auto box = boxes.find(entry.cell);
      if (box != boxes.end()) {
        read.boxElement = box->second.element;
        read.box.visible = box->second.visible;
        read.box.left = box->second.left;
        read.box.top = box->second.top;
        read.box.width = box->second.width;
        read.box.height = box->second.height;
        read.box.autoShapeType = box->second.autoShapeType;
      }
      read.box.id = NewId(model, used, box != boxes.end() ? box->second.id : 0);
      read.box.name = "Comment " + std::to_string(read.box.id);
      read.comment.visible = read.box.visible;
      read.comment.shape = read.box.id;
      model.shapes().push_back(read.box);
      model.comments()[entry.cell] = read.comment;
      read_.emplace(entry.cell, read);
    }
  }

  bool Write(WorkbookParts& parts, SheetPart& sheet) override {
    embedded::model::Sheet& model = *sheet.sheet;
    bool sheetChanged = false;
    std::set<CellAddress> dropped;
    for (auto it = read_.begin(); it != read_.end();) {
      auto now = model.comments().find(it->first);
      if (now == model.comments().end() || now->second.shape != it->second.comment.shape) {
        Drop(it->second);
        dropped.insert(it->first);
        it = read_.erase(it);
      } else {
        Edit(model, it->second, now->second);
        ++it;
      }
    }
    for (const auto& [cell, comment] : model.comments()) {
      if (!read_.contains(cell)) sheetChanged = Add(parts, sheet, cell, comment) || sheetChanged;
    }
    if (read_.empty()) {
      sheetChanged = RemoveEmptyParts(parts, sheet) || sheetChanged;
    }
    RemoveThreads(parts, sheet, dropped);
    Flush(parts, comments_);
    Flush(parts, vml_);
    if (sheetChanged) sheet.xmlChanged = true;
    return sheetChanged;
  }

 private:
  void Load(WorkbookParts& parts, SheetPart& sheet, const Relationship& relationship, OwnPart& part, bool lenient) {
    if (relationship.external) return;
    std::string name = ResolveTarget(sheet.partName, relationship.target);
    auto stored = parts.package.Find(name);
    if (!stored) return;
    part.name = *stored;
    part.relationshipId = relationship.id;
    if (lenient) {
      const std::string& bytes = parts.package.Read(part.name);
      part.readable = part.xml.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    } else {
      part.xml = ParseXmlPart(parts.package.Read(part.name), part.name);
      part.readable = true;
    }
  }

  static void CollectIds(const Shape& shape, std::set<std::uint32_t>& used) {
    used.insert(shape.id);
    for (const Shape& member : shape.members) CollectIds(member, used);
  }

  static std::uint32_t NewId(embedded::model::Sheet& model, std::set<std::uint32_t>& used, std::uint32_t wanted) {
    std::uint32_t id = wanted != 0 && !used.contains(wanted) ? wanted : 0;
    if (id == 0) {
      while (used.contains(model.nextShapeId())) ++model.nextShapeId();
      id = model.nextShapeId();
    }
    used.insert(id);
    model.nextShapeId() = std::max(model.nextShapeId(), id + 1);
    return id;
  }

  void Drop(ReadComment& read) {
    read.entry.parent().remove_child(read.entry);
    comments_.changed = true;
    if (read.boxElement) {
      read.boxElement.parent().remove_child(read.boxElement);
      vml_.changed = true;
    }
  }

  void Edit(const embedded::model::Sheet& model, ReadComment& read, const Comment& now) {
    if (now.author != read.comment.author || now.text != read.comment.text) {
      SetCommentContent(comments_.xml.document_element(), read.entry, now.author, now.text);
      comments_.changed = true;
    }
    const Shape* box = model.FindShape(now.shape);
    bool visible = box != nullptr && box->visible != read.box.visible ? box->visible : now.visible;
    if (read.boxElement && visible != read.box.visible) {
      SetNoteVisible(read.boxElement, visible);
      vml_.changed = true;
    }
    if (read.boxElement && box != nullptr && box->autoShapeType != read.box.autoShapeType) {
      SetNoteShapeType(vml_.xml.document_element(), read.boxElement, box->autoShapeType);
      vml_.changed = true;
    }
    read.comment = now;
    read.comment.visible = visible;
    if (box != nullptr) read.box = *box;
    read.box.visible = visible;
  }

  bool Add(WorkbookParts& parts, SheetPart& sheet, CellAddress cell, const Comment& comment) {
    bool sheetChanged = EnsureParts(parts, sheet);
    ReadComment read;
    read.comment = comment;
    read.entry = AppendComment(comments_.xml.document_element(), cell, comment.author, comment.text);
    comments_.changed = true;
    const Shape* box = sheet.sheet->FindShape(comment.shape);
    Shape shape = box != nullptr ? *box : Shape{};
    if (box == nullptr) {
      embedded::Box cellBox = embedded::AreaBox(*parts.workbook, sheet.sheet->grid(), embedded::model::CellRect::Of(cell));
      shape.left = cellBox.left + cellBox.width;
      shape.top = cellBox.top;
      shape.width = 96;
      shape.height = 55.5;
    }
    read.boxElement = AppendNoteBox(vml_.xml.document_element(), cell, comment.shape, shape.left, shape.top,
                                    shape.width, shape.height);
    read.box = shape;
    read.box.visible = false;
    read.comment.visible = false;
    if (comment.visible || shape.visible) {
      SetNoteVisible(read.boxElement, true);
      read.box.visible = read.comment.visible = true;
    }
    if (shape.autoShapeType != host::msoShapeRectangle) {
      SetNoteShapeType(vml_.xml.document_element(), read.boxElement, shape.autoShapeType);
    }
    vml_.changed = true;
    read_.emplace(cell, read);
    return sheetChanged;
  }

  // Gives the sheet a comments part and a VML drawing when it lacks them;
  // returns whether the sheet's XML changed.
  bool EnsureParts(WorkbookParts& parts, SheetPart& sheet) {
    Relationships& relationships = parts.RelationshipsOf(sheet.partName);
    if (!comments_.readable) {
      comments_.name = FreeName(parts, "xl/comments", ".xml");
      InitCommentsDocument(comments_.xml);
      comments_.readable = true;
      parts.contentTypes.Override("/" + comments_.name, kContentTypeComments);
      comments_.relationshipId =
          relationships.Add(kRelComments, RelativeTarget(sheet.partName, comments_.name));
    }
    if (vml_.readable) return false;
    if (!vml_.name.empty()) {
      // An unreadable drawing is left as it was; the boxes go to a new one.
      RemoveWorksheetChild(sheet.xml.document_element(), "legacyDrawing");
      relationships.Remove(vml_.relationshipId);
    }
    vml_.name = FreeName(parts, "xl/drawings/vmlDrawing", ".vml");
    InitVmlDocument(vml_.xml, static_cast<int>(parts.workbook->IndexOf(*sheet.sheet)) + 1);
    vml_.readable = true;
    parts.contentTypes.EnsureDefault(kVmlExtension, kContentTypeVml);
    vml_.relationshipId = relationships.Add(kRelVmlDrawing, RelativeTarget(sheet.partName, vml_.name));
    pugi::xml_node worksheet = sheet.xml.document_element();
    pugi::xml_node legacy = InsertWorksheetChild(worksheet, "legacyDrawing");
    legacy.append_attribute((RelationshipPrefix(worksheet) + ":id").c_str()) = vml_.relationshipId.c_str();
    return true;
  }

  static std::string FreeName(WorkbookParts& parts, const std::string& stem, const std::string& extension) {
    for (int number = 1;; ++number) {
      std::string candidate = stem + std::to_string(number) + extension;
      if (!parts.package.Has(candidate)) return candidate;
    }
  }

  // With no comment left, the comments part goes, and the VML drawing too
  // unless it holds other shapes.
  bool RemoveEmptyParts(WorkbookParts& parts, SheetPart& sheet) {
    Relationships& relationships = parts.RelationshipsOf(sheet.partName);
    bool sheetChanged = false;
    if (comments_.readable && !comments_.name.empty() && comments_.changed) {
      RemovePart(parts, comments_.name);
      relationships.Remove(comments_.relationshipId);
      comments_ = {};
    }
    if (vml_.readable && vml_.changed && !HoldsOtherShapes(vml_.xml.document_element())) {
      RemovePart(parts, vml_.name);
      relationships.Remove(vml_.relationshipId);
      sheetChanged = RemoveWorksheetChild(sheet.xml.document_element(), "legacyDrawing");
      vml_ = {};
    }
    return sheetChanged;
  }

  static void RemovePart(WorkbookParts& parts, const std::string& name) {
    parts.package.Remove(name);
    parts.contentTypes.RemoveOverride("/" + name);
    std::string rels = RelsPartNameOf(name);
    if (parts.package.Has(rels)) parts.package.Remove(rels);
    parts.relationships.erase(name);
  }

  static void Flush(WorkbookParts& parts, OwnPart& part) {
    if (!part.changed) return;
    parts.package.Write(part.name, SerializeXmlPart(part.xml));
    part.changed = false;
  }

  OwnPart comments_;
  OwnPart vml_;
  std::map<CellAddress, ReadComment> read_;
};

}  // namespace

std::unique_ptr<SheetAspect> MakeCommentsAspect() { return std::make_unique<CommentsAspect>(); }

}  // namespace tabulara::xlsx
