#include <memory>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/protection.h"

namespace tabulara::embedded {
namespace {

// A cell's comment, known by its box.
class CommentObject final : public host::Comment, public Reference {
 public:
  CommentObject(Context context, const SheetTarget& target, std::uint32_t boxId)
      : Reference(std::move(context)), handle_(target), boxId_(boxId) {}

  void Visible(bool visible) override {
    Enter("Comment.Visible.Put");
    SheetTarget target = handle_.Resolve();
    model::Comment& comment = Resolve(*target.sheet);
    if (DrawingProtected(*target.sheet)) throw PropertyNotSet("Visible", "Comment");
    comment.visible = visible;
    if (model::Shape* box = target.sheet->FindShape(boxId_)) box->visible = visible;
  }

  host::Ref<host::Shape> Shape() override {
    Enter("Comment.Shape");
    SheetTarget target = handle_.Resolve();
    Resolve(*target.sheet);
    return MakeShape(context(), target, boxId_);
  }

 private:
  model::Comment& Resolve(model::Sheet& sheet) const {
    for (auto& [cell, comment] : sheet.comments()) {
      if (comment.shape == boxId_) return comment;
    }
    throw ObjectDeleted();
  }

  SheetHandle handle_;
  std::uint32_t boxId_;
};

}  // namespace

host::Ref<host::Comment> MakeComment(const Context& context, const SheetTarget& target, std::uint32_t boxId) {
  return std::make_shared<CommentObject>(context, target, boxId);
}

}  // namespace tabulara::embedded
