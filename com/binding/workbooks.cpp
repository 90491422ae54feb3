#include "com/binding/bound.h"

namespace tabulara::com {
namespace {

class Workbook final : public host::Workbook, public Bound {
 public:
  using Bound::Bound;
  host::Maybe<host::Sheet> ActiveSheet() override { return Optional(object().Get(L"ActiveSheet"), &BoundSheet); }
  host::Ref<host::Sheets> Sheets() override { return BoundSheets(object().Object(L"Sheets")); }
  host::Ref<host::Sheets> Worksheets() override { return BoundSheets(object().Object(L"Worksheets")); }
};

class Sheets final : public host::Sheets, public Bound {
 public:
  using Bound::Bound;
  std::int32_t Count() override { return object().Long(L"Count"); }
  host::Ref<host::Sheet> Item(std::int32_t position) override {
    return BoundSheet(object().Object(L"Item", {static_cast<int>(position)}));
  }
  host::Ref<host::Sheet> Item(const std::string& name) override {
    return BoundSheet(object().Object(L"Item", {name}));
  }
  std::unique_ptr<host::Enumerator<host::Sheet>> NewEnum() override {
    return Enumerate<host::Sheet>(object(), &BoundSheet);
  }
  host::Ref<host::Sheet> Add(const host::Maybe<host::Sheet>& before, const std::optional<std::string>& type) override {
    return BoundSheet(object().Object(L"Add", {before ? Argument(DispatchOf(**before)) : Argument::Missing(),
                                                Argument::Missing(), Argument::Missing(), type}));
  }
};

// The members every kind of sheet has.
template <class Kind>
class SheetMembers : public Kind, public Bound {
 public:
  using Bound::Bound;
  std::string Name() override { return object().Text(L"Name"); }
  void Name(const std::string& name) override { object().Put(L"Name", name); }
  int Visible() override { return object().Long(L"Visible"); }
  void Visible(int visibility) override { object().Put(L"Visible", visibility); }
  void Move(const host::Ref<host::Sheet>& before) override { object().Call(L"Move", {DispatchOf(*before)}); }
  void Activate() override { object().Call(L"Activate"); }
};

class OtherSheet final : public SheetMembers<host::Sheet> {
 public:
  using SheetMembers::SheetMembers;
};

class Worksheet final : public SheetMembers<host::Worksheet> {
 public:
  using SheetMembers::SheetMembers;
  bool ProtectScenarios() override { return object().Logical(L"ProtectScenarios"); }
  host::Ref<host::Shapes> Shapes() override { return BoundShapes(object().Object(L"Shapes")); }
  host::Ref<host::Hyperlinks> Hyperlinks() override { return BoundHyperlinks(object().Object(L"Hyperlinks")); }
  host::Ref<host::Range> Cells() override { return BoundRange(object().Object(L"Cells")); }
  host::Ref<host::Range> Range(const std::string& reference) override {
    return BoundRange(object().Object(L"Range", {reference}));
  }
  void Calculate() override { object().Call(L"Calculate"); }
};

}  // namespace

host::Ref<host::Workbook> BoundWorkbook(ComPtr<IDispatch> object) {
  return std::make_shared<Workbook>(std::move(object));
}

host::Ref<host::Sheets> BoundSheets(ComPtr<IDispatch> object) { return std::make_shared<Sheets>(std::move(object)); }

host::Ref<host::Sheet> BoundSheet(ComPtr<IDispatch> object) {
  if (TypeName(*object.get()) == L"Worksheet") return std::make_shared<Worksheet>(std::move(object));
  return std::make_shared<OtherSheet>(std::move(object));
}

}  // namespace tabulara::com
