#include <memory>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/host_errors.h"

namespace tabulara::embedded {
namespace {

class WorkbookObject final : public host::Workbook, public Reference {
 public:
  WorkbookObject(Context context, const std::shared_ptr<model::Workbook>& workbook)
      : Reference(std::move(context)), workbook_(workbook) {}

  host::Maybe<host::Sheet> ActiveSheet() override {
    Enter("Workbook.ActiveSheet");
    std::shared_ptr<model::Workbook> workbook = Resolve();
    std::shared_ptr<model::Sheet> sheet = workbook->ActiveSheet();
    if (!sheet) return std::nullopt;
    return MakeSheet(context(), {workbook, sheet});
  }

  host::Ref<host::Sheets> Sheets() override {
    Enter("Workbook.Sheets");
    return MakeSheets(context(), Resolve(), false);
  }

  host::Ref<host::Sheets> Worksheets() override {
    Enter("Workbook.Worksheets");
    return MakeSheets(context(), Resolve(), true);
  }

 private:
  std::shared_ptr<model::Workbook> Resolve() const {
    std::shared_ptr<model::Workbook> workbook = workbook_.lock();
    if (!workbook) throw ObjectDeleted();
    return workbook;
  }

  std::weak_ptr<model::Workbook> workbook_;
};

}  // namespace

host::Ref<host::Workbook> MakeWorkbook(const Context& context, const std::shared_ptr<model::Workbook>& workbook) {
  return std::make_shared<WorkbookObject>(context, workbook);
}

}  // namespace tabulara::embedded
