#include "embedded/model/sheet.h"

#include <algorithm>

namespace tabulara::embedded::model {

Sheet::Sheet(const Sheet& other)
    : kind(other.kind),
      name(other.name),
      visibility(other.visibility),
      calculations(other.calculations),
      tabIndexHint(other.tabIndexHint) {
  other.LoadContent();
  content_ = other.content_;
}

Sheet& Sheet::operator=(const Sheet& other) {
  if (this == &other) return *this;
  other.LoadContent();
  kind = other.kind;
  name = other.name;
  visibility = other.visibility;
  calculations = other.calculations;
  tabIndexHint = other.tabIndexHint;
  content_ = other.content_;
  loader_ = nullptr;
  failure_ = nullptr;
  hasShapes_ = true;
  return *this;
}

void Sheet::LoadContentLater(ContentLoader loader, bool hasShapes) {
  content_ = SheetContent();
  loader_ = std::move(loader);
  failure_ = nullptr;
  hasShapes_ = hasShapes;
}

void Sheet::LoadContent() const {
  if (failure_) std::rethrow_exception(failure_);
  if (!loader_) return;
  // The loader fills the content through the sheet's own accessors, which
  // must find it loaded by then.
  const ContentLoader loader = std::move(loader_);
  loader_ = nullptr;
  try {
    loader(const_cast<Sheet&>(*this));
  } catch (...) {
    content_ = SheetContent();
    failure_ = std::current_exception();
    throw;
  }
}

const std::vector<Shape>& Sheet::shapes() const {
  if (loader_ && !hasShapes_) return content_.shapes;
  return Content().shapes;
}

Shape* Sheet::FindShape(std::uint32_t id) {
  std::vector<Shape>& all = shapes();
  auto found = std::find_if(all.begin(), all.end(), [id](const Shape& shape) { return shape.id == id; });
  return found != all.end() ? &*found : nullptr;
}

const Shape* Sheet::FindShape(std::uint32_t id) const {
  const std::vector<Shape>& all = shapes();
  auto found = std::find_if(all.begin(), all.end(), [id](const Shape& shape) { return shape.id == id; });
  return found != all.end() ? &*found : nullptr;
}

}  // namespace tabulara::embedded::model
