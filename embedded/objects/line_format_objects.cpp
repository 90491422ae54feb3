#include <memory>
#include <string>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/objects/shape_handle.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/protection.h"
#include "host/constants.h"

namespace tabulara::embedded {
namespace {

// The values the line's properties take (MsoLineDashStyle, MsoLineStyle,
// points, scheme colour indexes, RGB).
constexpr int kLastDashStyle = 12;
constexpr int kLastLineStyle = 5;
constexpr float kMaxWeight = 1584;
constexpr int kLastSchemeColor = 80;
constexpr std::int32_t kWhite = 0xFFFFFF;
// msoCTrue, which the host reads as msoTrue.
constexpr int kMsoCTrue = 1;

// Resolves the shape for a put, refused while its sheet's drawing objects
// are protected.
model::Shape& EditableShape(const ShapeHandle& handle, std::string_view property, std::string_view className) {
  ShapeTarget target = handle.Resolve();
  if (DrawingProtected(*target.sheet.sheet)) throw PropertyNotSet(property, className);
  return *target.shape;
}

class LineFormatObject final : public host::LineFormat, public Reference {
 public:
  LineFormatObject(Context context, const SheetTarget& target, std::uint32_t id)
      : Reference(std::move(context)), handle_(target, id) {}

  void Weight(float points) override {
    Enter("LineFormat.Weight.Put");
    model::Shape& shape = EditableShape(handle_, "Weight", "LineFormat");
    if (!(points >= 0 && points <= kMaxWeight)) throw ValueOutOfRange();
    shape.line.weight = points;
  }

  void DashStyle(int style) override {
    Enter("LineFormat.DashStyle.Put");
    model::Shape& shape = EditableShape(handle_, "DashStyle", "LineFormat");
    if (style < host::msoLineSolid || style > kLastDashStyle) throw ValueOutOfRange();
    shape.line.dashStyle = style;
  }

  void Style(int style) override {
    Enter("LineFormat.Style.Put");
    model::Shape& shape = EditableShape(handle_, "Style", "LineFormat");
    if (style < host::msoLineSingle || style > kLastLineStyle) throw ValueOutOfRange();
    shape.line.style = style;
  }

  void Transparency(float transparency) override {
    Enter("LineFormat.Transparency.Put");
    model::Shape& shape = EditableShape(handle_, "Transparency", "LineFormat");
    if (!(transparency >= 0 && transparency <= 1)) throw ValueOutOfRange();
    shape.line.transparency = transparency;
  }

  void Visible(int visible) override {
    Enter("LineFormat.Visible.Put");
    model::Shape& shape = EditableShape(handle_, "Visible", "LineFormat");
    if (visible != host::msoTrue && visible != host::msoFalse && visible != kMsoCTrue) throw ValueOutOfRange();
    shape.line.visible = visible == host::msoFalse ? host::msoFalse : host::msoTrue;
  }

  host::Ref<host::ColorFormat> ForeColor() override {
    Enter("LineFormat.ForeColor");
    return MakeLineColor(context(), handle_.Resolve().sheet, handle_.id(), true);
  }

  host::Ref<host::ColorFormat> BackColor() override {
    Enter("LineFormat.BackColor");
    return MakeLineColor(context(), handle_.Resolve().sheet, handle_.id(), false);
  }

 private:
  ShapeHandle handle_;
};

class LineColorObject final : public host::ColorFormat, public Reference {
 public:
  LineColorObject(Context context, const SheetTarget& target, std::uint32_t id, bool foreColor)
      : Reference(std::move(context)), handle_(target, id), foreColor_(foreColor) {}

  void SchemeColor(int index) override {
    Enter("ColorFormat.SchemeColor.Put");
    model::Color& color = Editable("SchemeColor");
    if (index < 0 || index > kLastSchemeColor) throw ValueOutOfRange();
    color = {index, std::nullopt};
  }

  void RGB(std::int32_t rgb) override {
    Enter("ColorFormat.RGB.Put");
    model::Color& color = Editable("RGB");
    if (rgb < 0 || rgb > kWhite) throw ValueOutOfRange();
    color = {std::nullopt, rgb};
  }

 private:
  model::Color& Editable(std::string_view property) const {
    model::Shape& shape = EditableShape(handle_, property, "ColorFormat");
    return foreColor_ ? shape.line.foreColor : shape.line.backColor;
  }

  ShapeHandle handle_;
  bool foreColor_;
};

}  // namespace

host::Ref<host::LineFormat> MakeLineFormat(const Context& context, const SheetTarget& target, std::uint32_t id) {
  return std::make_shared<LineFormatObject>(context, target, id);
}

host::Ref<host::ColorFormat> MakeLineColor(const Context& context, const SheetTarget& target, std::uint32_t id,
                                           bool foreColor) {
  return std::make_shared<LineColorObject>(context, target, id, foreColor);
}

}  // namespace tabulara::embedded
