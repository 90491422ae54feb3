#include <memory>
#include <string>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/objects/shape_handle.h"
#include "embedded/rules/drawing.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/protection.h"

namespace tabulara::embedded {
namespace {

// The range of MsoAutoShapeType.
constexpr int kFirstAutoShapeType = 1;
constexpr int kLastAutoShapeType = 183;

bool TakesAutoShapeType(model::ShapeKind kind) {
  return kind == model::ShapeKind::AutoShape || kind == model::ShapeKind::TextBox ||
         kind == model::ShapeKind::CommentBox;
}

class ShapeObject final : public host::Shape, public Reference {
 public:
  ShapeObject(Context context, const SheetTarget& target, std::uint32_t id)
      : Reference(std::move(context)), handle_(target, id) {}

  std::string Name() override {
    Enter("Shape.Name");
    return handle_.Resolve().shape->name;
  }

  void Name(const std::string& name) override {
    Enter("Shape.Name.Put");
    ShapeTarget target = Editable("Name");
    if (name.empty()) throw ValueOutOfRange();
    target.shape->name = name;
  }

  int Type() override {
    Enter("Shape.Type");
    return ShapeType(handle_.Resolve().shape->kind);
  }

  void Delete() override {
    Enter("Shape.Delete");
    ShapeTarget target = handle_.Resolve();
    if (DrawingProtected(*target.sheet.sheet)) throw ObjectMethodFailed("Delete", "Shape");
    DeleteShape(*target.sheet.sheet, handle_.id());
  }

  void AutoShapeType(int type) override {
    Enter("Shape.AutoShapeType.Put");
    ShapeTarget target = Editable("AutoShapeType");
    if (!TakesAutoShapeType(target.shape->kind) || type < kFirstAutoShapeType || type > kLastAutoShapeType) {
      throw ValueOutOfRange();
    }
    target.shape->autoShapeType = type;
  }

  host::Ref<host::ControlFormat> ControlFormat() override {
    Enter("Shape.ControlFormat");
    return MakeControlFormat(context(), handle_.Resolve().sheet, handle_.id());
  }

  host::Ref<host::LineFormat> Line() override {
    Enter("Shape.Line");
    return MakeLineFormat(context(), handle_.Resolve().sheet, handle_.id());
  }

 private:
  ShapeTarget Editable(std::string_view property) const {
    ShapeTarget target = handle_.Resolve();
    if (DrawingProtected(*target.sheet.sheet)) throw PropertyNotSet(property, "Shape");
    return target;
  }

  ShapeHandle handle_;
};

class ControlFormatObject final : public host::ControlFormat, public Reference {
 public:
  ControlFormatObject(Context context, const SheetTarget& target, std::uint32_t id)
      : Reference(std::move(context)), handle_(target, id) {}

  void PrintObject(bool print) override {
    Enter("ControlFormat.PrintObject.Put");
    ShapeTarget target = handle_.Resolve();
    if (DrawingProtected(*target.sheet.sheet)) throw PropertyNotSet("PrintObject", "ControlFormat");
    target.shape->printObject = print;
  }

 private:
  ShapeHandle handle_;
};

}  // namespace

host::Ref<host::Shape> MakeShape(const Context& context, const SheetTarget& target, std::uint32_t id) {
  return std::make_shared<ShapeObject>(context, target, id);
}

host::Ref<host::ControlFormat> MakeControlFormat(const Context& context, const SheetTarget& target, std::uint32_t id) {
  return std::make_shared<ControlFormatObject>(context, target, id);
}

}  // namespace tabulara::embedded
