#include <memory>
#include <string>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/range_edits.h"

namespace tabulara::embedded {
namespace {

// The font sizes the host takes, in points.
constexpr double kMinFontSize = 1;
constexpr double kMaxFontSize = 409;

// The font of a range's cells; each put changes one attribute of them all.
class FontObject final : public host::Font, public Reference {
 public:
  FontObject(Context context, const SheetTarget& target, model::Areas areas)
      : Reference(std::move(context)), handle_(target), areas_(std::move(areas)) {}

  void Name(const std::string& name) override {
    Enter("Font.Name.Put");
    Change("Name", [&](model::Font& font) { font.name = name; });
  }

  void Bold(bool bold) override {
    Enter("Font.Bold.Put");
    Change("Bold", [&](model::Font& font) { font.bold = bold; });
  }

  void Italic(bool italic) override {
    Enter("Font.Italic.Put");
    Change("Italic", [&](model::Font& font) { font.italic = italic; });
  }

  void Size(double points) override {
    Enter("Font.Size.Put");
    if (!(points >= kMinFontSize && points <= kMaxFontSize)) throw PropertyNotSet("Size", "Font");
    Change("Size", [&](model::Font& font) { font.size = points; });
  }

 private:
  void Change(std::string_view property, const std::function<void(model::Font&)>& change) {
    SheetTarget target = handle_.Resolve();
    ChangeFont(*target.workbook, *target.sheet, areas_, property, change);
  }

  SheetHandle handle_;
  model::Areas areas_;
};

}  // namespace

host::Ref<host::Font> MakeFont(const Context& context, const SheetTarget& target, model::Areas areas) {
  return std::make_shared<FontObject>(context, target, std::move(areas));
}

}  // namespace tabulara::embedded
