#include <memory>
#include <string>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/cell_values.h"
#include "embedded/rules/geometry.h"
#include "embedded/rules/range_edits.h"
#include "embedded/rules/range_queries.h"
#include "embedded/rules/reference_text.h"
#include "embedded/rules/sheet_quoting.h"

namespace tabulara::embedded {
namespace {

class RangeObject;

// Every cell of a range, area by area, row by row.
class RangeEnumerator final : public host::Enumerator<host::Range>, public Reference {
 public:
  RangeEnumerator(Context context, SheetHandle handle, model::Areas areas)
      : Reference(std::move(context)), handle_(std::move(handle)), areas_(std::move(areas)) {
    if (!areas_.empty()) next_ = areas_.front().TopLeft();
  }

  host::Maybe<host::Range> Next() override;

 private:
  void Advance() {
    const model::CellRect& area = areas_[area_];
    if (next_.column < area.right) {
      ++next_.column;
    } else if (next_.row < area.bottom) {
      ++next_.row;
      next_.column = area.left;
    } else if (++area_ < areas_.size()) {
      next_ = areas_[area_].TopLeft();
    }
  }

  SheetHandle handle_;
  model::Areas areas_;
  std::size_t area_ = 0;
  model::CellAddress next_;
  // The cell given last; one that nobody else holds any more is pointed
  // at the next cell instead of a new one being made.
  std::shared_ptr<RangeObject> last_;
};

class RangeObject final : public host::Range, public RangeIdentity, public Reference {
 public:
  RangeObject(Context context, const SheetTarget& target, model::Areas areas)
      : Reference(std::move(context)), handle_(target), areas_(std::move(areas)) {}

  // Makes this the range of one other cell of the same sheet.
  void MoveTo(model::CellAddress cell) { areas_.assign(1, model::CellRect::Of(cell)); }

  std::int64_t Count() override {
    Enter("Range.Count");
    handle_.Peek();
    std::int64_t count = 0;
    for (const model::CellRect& area : areas_) count += area.CellCount();
    return count;
  }

  std::unique_ptr<host::Enumerator<host::Range>> NewEnum() override {
    Enter("Range.NewEnum");
    handle_.Resolve();
    return std::make_unique<RangeEnumerator>(context(), handle_, areas_);
  }

  host::Variant Value() override {
    Enter("Range.Value");
    const SheetView view = handle_.Peek();
    return CellValue(view.workbook, view.sheet.grid(), areas_.front().TopLeft());
  }

  void Value(const host::Variant& value) override {
    Enter("Range.Value.Put");
    SheetTarget target = handle_.Resolve();
    PutValue(*target.workbook, *target.sheet, areas_, value);
  }

  bool HasFormula() override {
    Enter("Range.HasFormula");
    return AllHoldFormulas(handle_.Peek().sheet, areas_);
  }

  bool HasArray() override {
    Enter("Range.HasArray");
    return AllInArrays(handle_.Peek().sheet, areas_);
  }

  void Clear() override {
    Enter("Range.Clear");
    SheetTarget target = handle_.Resolve();
    ClearAreas(*target.workbook, *target.sheet, areas_);
  }

  host::Ref<host::Range> SpecialCells(int type, int value) override {
    Enter("Range.SpecialCells");
    SheetTarget target = handle_.Resolve();
    return MakeRange(context(), target, embedded::SpecialCells(*target.sheet, areas_, type, value));
  }

  host::Ref<host::Font> Font() override {
    Enter("Range.Font");
    return MakeFont(context(), handle_.Resolve(), areas_);
  }

  std::string Address(bool external) override {
    Enter("Range.Address");
    SheetTarget target = handle_.Resolve();
    if (!external) return AreasAddress(areas_);
    std::string prefix = ExternalPrefix(target.workbook->name, target.sheet->name);
    std::string address;
    for (const model::CellRect& area : areas_) {
      if (!address.empty()) address += ",";
      address += prefix + AreaAddress(area);
    }
    return address;
  }

  host::Ref<host::Worksheet> Worksheet() override {
    Enter("Range.Worksheet");
    return MakeWorksheet(context(), handle_.Resolve());
  }

  double Left() override {
    Enter("Range.Left");
    return Geometry().left;
  }
  double Top() override {
    Enter("Range.Top");
    return Geometry().top;
  }
  double Width() override {
    Enter("Range.Width");
    return Geometry().width;
  }
  double Height() override {
    Enter("Range.Height");
    return Geometry().height;
  }

  host::Maybe<host::Comment> Comment() override {
    Enter("Range.Comment");
    SheetTarget target = handle_.Resolve();
    auto comment = target.sheet->comments().find(areas_.front().TopLeft());
    if (comment == target.sheet->comments().end()) return std::nullopt;
    return MakeComment(context(), target, comment->second.shape);
  }

  const SheetHandle& handle() const override { return handle_; }
  const model::Areas& areas() const override { return areas_; }

 private:
  embedded::Box Geometry() const {
    SheetTarget target = handle_.Resolve();
    return AreaBox(*target.workbook, target.sheet->grid(), areas_.front());
  }

  SheetHandle handle_;
  model::Areas areas_;
};

host::Maybe<host::Range> RangeEnumerator::Next() {
  if (area_ >= areas_.size()) return std::nullopt;
  model::CellAddress cell = next_;
  Advance();
  if (last_ != nullptr && last_.use_count() == 1) {
    handle_.Peek();
    last_->MoveTo(cell);
  } else {
    last_ = std::make_shared<RangeObject>(context(), handle_.Resolve(), model::Areas{model::CellRect::Of(cell)});
  }
  return last_;
}

}  // namespace

host::Ref<host::Range> MakeRange(const Context& context, const SheetTarget& target, model::Areas areas) {
  return std::make_shared<RangeObject>(context, target, std::move(areas));
}

}  // namespace tabulara::embedded
