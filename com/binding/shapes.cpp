#include "com/binding/bound.h"

namespace tabulara::com {
namespace {

class ColorFormat final : public host::ColorFormat, public Bound {
 public:
  using Bound::Bound;
  void SchemeColor(int index) override { object().Put(L"SchemeColor", index); }
  void RGB(std::int32_t color) override { object().Put(L"RGB", static_cast<int>(color)); }
};

class LineFormat final : public host::LineFormat, public Bound {
 public:
  using Bound::Bound;
  void Weight(float points) override { object().Put(L"Weight", points); }
  void DashStyle(int style) override { object().Put(L"DashStyle", style); }
  void Style(int style) override { object().Put(L"Style", style); }
  void Transparency(float transparency) override { object().Put(L"Transparency", transparency); }
  void Visible(int visible) override { object().Put(L"Visible", visible); }
  host::Ref<host::ColorFormat> ForeColor() override {
    return std::make_shared<ColorFormat>(object().Object(L"ForeColor"));
  }
  host::Ref<host::ColorFormat> BackColor() override {
    return std::make_shared<ColorFormat>(object().Object(L"BackColor"));
  }
};

class ControlFormat final : public host::ControlFormat, public Bound {
 public:
  using Bound::Bound;
  void PrintObject(bool print) override { object().Put(L"PrintObject", print); }
};

class Shape final : public host::Shape, public Bound {
 public:
  using Bound::Bound;
  std::string Name() override { return object().Text(L"Name"); }
  void Name(const std::string& name) override { object().Put(L"Name", name); }
  int Type() override { return object().Long(L"Type"); }
  void Delete() override { object().Call(L"Delete"); }
  void AutoShapeType(int type) override { object().Put(L"AutoShapeType", type); }
  host::Ref<host::ControlFormat> ControlFormat() override {
    return std::make_shared<class ControlFormat>(object().Object(L"ControlFormat"));
  }
  host::Ref<host::LineFormat> Line() override { return std::make_shared<LineFormat>(object().Object(L"Line")); }
};

class Shapes final : public host::Shapes, public Bound {
 public:
  using Bound::Bound;
  std::unique_ptr<host::Enumerator<host::Shape>> NewEnum() override {
    return Enumerate<host::Shape>(object(), &BoundShape);
  }
  host::Ref<host::Shape> AddLine(float beginX, float beginY, float endX, float endY) override {
    return BoundShape(object().Object(L"AddLine", {beginX, beginY, endX, endY}));
  }
};

}  // namespace

host::Ref<host::Shapes> BoundShapes(ComPtr<IDispatch> object) { return std::make_shared<Shapes>(std::move(object)); }

host::Ref<host::Shape> BoundShape(ComPtr<IDispatch> object) { return std::make_shared<Shape>(std::move(object)); }

}  // namespace tabulara::com
