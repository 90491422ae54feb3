#include <memory>
#include <string>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/calculation.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/protection.h"
#include "embedded/rules/reference_text.h"
#include "embedded/rules/sheet_operations.h"

namespace tabulara::embedded {
namespace {

// The members every kind of sheet has.
template <class Interface>
class SheetObject : public Interface, public SheetIdentity, public Reference {
 public:
  SheetObject(Context context, const SheetTarget& target) : Reference(std::move(context)), handle_(target) {}

  std::string Name() override {
    Enter("Sheet.Name");
    return handle_.Resolve().sheet->name;
  }

  void Name(const std::string& name) override {
    Enter("Sheet.Name.Put");
    SheetTarget target = handle_.Resolve();
    RenameSheet(*target.workbook, *target.sheet, name);
  }

  int Visible() override {
    Enter("Sheet.Visible");
    return handle_.Resolve().sheet->visibility;
  }

  void Visible(int visibility) override {
    Enter("Sheet.Visible.Put");
    SheetTarget target = handle_.Resolve();
    SetSheetVisibility(*target.workbook, *target.sheet, visibility);
  }

  void Move(const host::Ref<host::Sheet>& before) override {
    Enter("Sheet.Move");
    SheetTarget target = handle_.Resolve();
    auto* identity = dynamic_cast<const SheetIdentity*>(before.get());
    if (identity == nullptr) throw MethodFailed("Move", SheetClassName(target.sheet->kind));
    MoveSheet(*target.workbook, *target.sheet, *identity->handle().Resolve().sheet);
  }

  void Activate() override {
    Enter("Sheet.Activate");
    SheetTarget target = handle_.Resolve();
    ActivateSheet(*target.workbook, *target.sheet);
    this->host().application.activeWorkbook = target.workbook;
  }

  const SheetHandle& handle() const override { return handle_; }

 private:
  SheetHandle handle_;
};

class WorksheetObject final : public SheetObject<host::Worksheet> {
 public:
  using SheetObject::SheetObject;

  bool ProtectScenarios() override {
    Enter("Worksheet.ProtectScenarios");
    const model::SheetProtection& protection = handle().Resolve().sheet->protection();
    return protection.isProtected && protection.scenarios;
  }

  host::Ref<host::Shapes> Shapes() override {
    Enter("Worksheet.Shapes");
    return MakeShapes(context(), handle().Resolve());
  }

  host::Ref<host::Hyperlinks> Hyperlinks() override {
    Enter("Worksheet.Hyperlinks");
    return MakeHyperlinks(context(), handle().Resolve());
  }

  host::Ref<host::Range> Cells() override {
    Enter("Worksheet.Cells");
    return MakeRange(context(), handle().Resolve(), {model::CellRect::WholeSheet()});
  }

  host::Ref<host::Range> Range(const std::string& reference) override {
    Enter("Worksheet.Range");
    SheetTarget target = handle().Resolve();
    std::optional<model::Areas> areas = ParseReference(reference);
    if (!areas) throw ObjectMethodFailed("Range", "_Worksheet");
    return MakeRange(context(), target, std::move(*areas));
  }

  void Calculate() override {
    Enter("Worksheet.Calculate");
    SheetTarget target = handle().Resolve();
    CalculateSheet(*target.workbook, *target.sheet, host().addIns);
  }
};

using OtherSheetObject = SheetObject<host::Sheet>;

}  // namespace

host::Ref<host::Sheet> MakeSheet(const Context& context, const SheetTarget& target) {
  if (target.sheet->kind == model::SheetKind::Worksheet) return std::make_shared<WorksheetObject>(context, target);
  return std::make_shared<OtherSheetObject>(context, target);
}

host::Ref<host::Worksheet> MakeWorksheet(const Context& context, const SheetTarget& target) {
  return std::make_shared<WorksheetObject>(context, target);
}

}  // namespace tabulara::embedded
