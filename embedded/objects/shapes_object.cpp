#include <memory>
#include <utility>
#include <vector>

#include "embedded/objects/list_enumerator.h"
#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/drawing.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/protection.h"

namespace tabulara::embedded {
namespace {

class ShapesObject final : public host::Shapes, public Reference {
 public:
  ShapesObject(Context context, const SheetTarget& target) : Reference(std::move(context)), handle_(target) {}

  std::unique_ptr<host::Enumerator<host::Shape>> NewEnum() override {
    Enter("Shapes.NewEnum");
    SheetTarget target = handle_.Resolve();
    std::vector<std::uint32_t> ids;
    // Listing reads no more of the sheet than its drawing objects need.
    for (const model::Shape& shape : std::as_const(*target.sheet).shapes()) ids.push_back(shape.id);
    return std::make_unique<ListEnumerator<host::Shape, std::uint32_t>>(
        context(), std::move(ids),
        [context = context(), handle = handle_](const std::uint32_t& id) -> host::Maybe<host::Shape> {
          SheetTarget current = handle.Resolve();
          if (current.sheet->FindShape(id) == nullptr) return std::nullopt;
          return MakeShape(context, current, id);
        });
  }

  host::Ref<host::Shape> AddLine(float beginX, float beginY, float endX, float endY) override {
    Enter("Shapes.AddLine");
    SheetTarget target = handle_.Resolve();
    if (DrawingProtected(*target.sheet)) throw ObjectMethodFailed("AddLine", "Shapes");
    model::Shape& line = embedded::AddLine(*target.sheet, beginX, beginY, endX, endY);
    return MakeShape(context(), target, line.id);
  }

 private:
  SheetHandle handle_;
};

}  // namespace

host::Ref<host::Shapes> MakeShapes(const Context& context, const SheetTarget& target) {
  return std::make_shared<ShapesObject>(context, target);
}

}  // namespace tabulara::embedded
