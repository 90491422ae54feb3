#include <memory>
#include <string>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/drawing.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/protection.h"

namespace tabulara::embedded {
namespace {

class HyperlinksObject final : public host::Hyperlinks, public Reference {
 public:
  HyperlinksObject(Context context, const SheetTarget& target) : Reference(std::move(context)), handle_(target) {}

  std::int32_t Count() override {
    Enter("Hyperlinks.Count");
    return static_cast<std::int32_t>(handle_.Resolve().sheet->hyperlinks().size());
  }

  void Delete() override {
    Enter("Hyperlinks.Delete");
    model::Sheet& sheet = *handle_.Resolve().sheet;
    if (ContentsProtected(sheet)) throw MethodFailed("Delete", "Hyperlinks");
    sheet.hyperlinks().clear();
  }

  void Add(const host::Ref<host::Range>& anchor, const std::string& address, const std::string& subAddress) override {
    Enter("Hyperlinks.Add");
    SheetTarget target = handle_.Resolve();
    auto* identity = dynamic_cast<const RangeIdentity*>(anchor.get());
    if (identity == nullptr || identity->handle().Resolve().sheet != target.sheet) {
      throw ObjectMethodFailed("Add", "Hyperlinks");
    }
    if (ContentsProtected(*target.sheet)) throw ObjectMethodFailed("Add", "Hyperlinks");
    AddHyperlink(*target.workbook, *target.sheet, identity->areas().front(), address, subAddress);
  }

 private:
  SheetHandle handle_;
};

}  // namespace

host::Ref<host::Hyperlinks> MakeHyperlinks(const Context& context, const SheetTarget& target) {
  return std::make_shared<HyperlinksObject>(context, target);
}

}  // namespace tabulara::embedded
