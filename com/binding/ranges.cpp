#include "com/binding/bound.h"

namespace tabulara::com {
namespace {

class Font final : public host::Font, public Bound {
 public:
  using Bound::Bound;
  void Name(const std::string& name) override { object().Put(L"Name", name); }
  void Bold(bool bold) override { object().Put(L"Bold", bold); }
  void Italic(bool italic) override { object().Put(L"Italic", italic); }
  void Size(double points) override { object().Put(L"Size", points); }
};

class Range final : public host::Range, public Bound {
 public:
  using Bound::Bound;
  std::int64_t Count() override { return static_cast<std::int64_t>(object().Number(L"Count")); }
  std::unique_ptr<host::Enumerator<host::Range>> NewEnum() override {
    return Enumerate<host::Range>(object(), &BoundRange);
  }
  host::Variant Value() override { return ValueOf(object().Get(L"Value")); }
  void Value(const host::Variant& value) override { object().Put(L"Value", value); }
  bool HasFormula() override { return object().Logical(L"HasFormula"); }
  bool HasArray() override { return object().Logical(L"HasArray"); }
  void Clear() override { object().Call(L"Clear"); }
  host::Ref<host::Range> SpecialCells(int type, int value) override {
    return BoundRange(object().Object(L"SpecialCells", {type, value}));
  }
  host::Ref<host::Font> Font() override { return std::make_shared<class Font>(object().Object(L"Font")); }
  std::string Address(bool external) override {
    return TextOf(object().Get(L"Address", {Argument::Missing(), Argument::Missing(), Argument::Missing(), external}));
  }
  host::Ref<host::Worksheet> Worksheet() override {
    auto sheet = std::dynamic_pointer_cast<host::Worksheet>(BoundSheet(object().Object(L"Worksheet")));
    if (!sheet) throw host::TypeMismatch();
    return sheet;
  }
  double Left() override { return object().Number(L"Left"); }
  double Top() override { return object().Number(L"Top"); }
  double Width() override { return object().Number(L"Width"); }
  double Height() override { return object().Number(L"Height"); }
  host::Maybe<host::Comment> Comment() override { return Optional(object().Get(L"Comment"), &BoundComment); }
};

class Comment final : public host::Comment, public Bound {
 public:
  using Bound::Bound;
  void Visible(bool visible) override { object().Put(L"Visible", visible); }
  host::Ref<host::Shape> Shape() override { return BoundShape(object().Object(L"Shape")); }
};

class Hyperlinks final : public host::Hyperlinks, public Bound {
 public:
  using Bound::Bound;
  std::int32_t Count() override { return object().Long(L"Count"); }
  void Delete() override { object().Call(L"Delete"); }
  void Add(const host::Ref<host::Range>& anchor, const std::string& address, const std::string& subAddress) override {
    object().Call(L"Add", {DispatchOf(*anchor), address, subAddress});
  }
};

}  // namespace

host::Ref<host::Range> BoundRange(ComPtr<IDispatch> object) { return std::make_shared<Range>(std::move(object)); }

host::Ref<host::Comment> BoundComment(ComPtr<IDispatch> object) {
  return std::make_shared<Comment>(std::move(object));
}

host::Ref<host::Hyperlinks> BoundHyperlinks(ComPtr<IDispatch> object) {
  return std::make_shared<Hyperlinks>(std::move(object));
}

}  // namespace tabulara::com
