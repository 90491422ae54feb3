#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "embedded/objects/list_enumerator.h"
#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/file_paths.h"
#include "embedded/rules/host_errors.h"
#include "embedded/rules/sheet_names.h"
#include "embedded/rules/sheet_operations.h"

namespace tabulara::embedded {
namespace {

using SheetPtr = std::shared_ptr<model::Sheet>;

// A workbook's Sheets (every kind, tab order) or Worksheets.
class SheetsObject final : public host::Sheets, public Reference {
 public:
  SheetsObject(Context context, const std::shared_ptr<model::Workbook>& workbook, bool worksheetsOnly)
      : Reference(std::move(context)),
        workbook_(workbook),
        worksheetsOnly_(worksheetsOnly),
        className_(worksheetsOnly ? "Worksheets" : "Sheets") {}

  std::int32_t Count() override {
    Enter(className_ + ".Count");
    const std::shared_ptr<model::Workbook> workbook = Resolve();
    return static_cast<std::int32_t>(std::count_if(workbook->sheets.begin(), workbook->sheets.end(),
                                                   [&](const SheetPtr& sheet) { return IsMember(*sheet); }));
  }

  host::Ref<host::Sheet> Item(std::int32_t position) override {
    Enter(className_ + ".Item");
    std::shared_ptr<model::Workbook> workbook = Resolve();
    if (!worksheetsOnly_) {
      if (position < 1 || static_cast<std::size_t>(position) > workbook->sheets.size()) {
        throw host::SubscriptOutOfRange();
      }
      return MakeSheet(context(), {workbook, workbook->sheets[static_cast<std::size_t>(position) - 1]});
    }
    std::int32_t counted = 0;
    for (const SheetPtr& sheet : workbook->sheets) {
      if (IsMember(*sheet) && ++counted == position) return MakeSheet(context(), {workbook, sheet});
    }
    throw host::SubscriptOutOfRange();
  }

  host::Ref<host::Sheet> Item(const std::string& name) override {
    Enter(className_ + ".Item");
    std::shared_ptr<model::Workbook> workbook = Resolve();
    if (SheetPtr known = Named(*workbook, name)) return MakeSheet(context(), {workbook, known});
    for (const SheetPtr& sheet : workbook->sheets) {
      if (IsMember(*sheet) && SameSheetName(sheet->name, name)) return MakeSheet(context(), {workbook, sheet});
    }
    throw host::SubscriptOutOfRange();
  }

  std::unique_ptr<host::Enumerator<host::Sheet>> NewEnum() override {
    Enter(className_ + ".NewEnum");
    std::shared_ptr<model::Workbook> workbook = Resolve();
    std::vector<std::weak_ptr<model::Sheet>> members;
    for (const SheetPtr& sheet : workbook->sheets) {
      if (IsMember(*sheet)) members.push_back(sheet);
    }
    std::weak_ptr<model::Workbook> weakWorkbook = workbook;
    return std::make_unique<ListEnumerator<host::Sheet, std::weak_ptr<model::Sheet>>>(
        context(), std::move(members),
        [context = context(), weakWorkbook](const std::weak_ptr<model::Sheet>& item) -> host::Maybe<host::Sheet> {
          SheetTarget target{weakWorkbook.lock(), item.lock()};
          if (!target.workbook || !target.sheet || target.workbook->IndexOf(*target.sheet) < 0) return std::nullopt;
          return MakeSheet(context, target);
        });
  }

  host::Ref<host::Sheet> Add(const host::Maybe<host::Sheet>& before, const std::optional<std::string>& type) override {
    Enter(className_ + ".Add");
    std::shared_ptr<model::Workbook> workbook = Resolve();
    SheetPtr beforeSheet;
    if (before) {
      auto* identity = dynamic_cast<const SheetIdentity*>(before->get());
      if (identity == nullptr) throw ObjectMethodFailed("Add", "Sheets");
      SheetTarget target = identity->handle().Resolve();
      if (target.workbook != workbook) throw ObjectMethodFailed("Add", "Sheets");
      beforeSheet = target.sheet;
    }
    SheetPtr added =
        type ? InsertTemplate(*workbook, beforeSheet.get(), *type) : AddWorksheet(*workbook, beforeSheet.get());
    return MakeSheet(context(), {workbook, added});
  }

 private:
  std::shared_ptr<model::Workbook> Resolve() const {
    std::shared_ptr<model::Workbook> workbook = workbook_.lock();
    if (!workbook) throw ObjectDeleted();
    return workbook;
  }

  bool IsMember(const model::Sheet& sheet) const {
    return !worksheetsOnly_ || sheet.kind == model::SheetKind::Worksheet;
  }

  // The member sheet named exactly `name`, from the names as last listed,
  // listed anew when the workbook's sheets changed since; null when there is
  // none, so that a name differing in case is looked for one by one.
  SheetPtr Named(const model::Workbook& workbook, const std::string& name) {
    const auto current = [&](const SheetPtr& sheet) {
      return sheet && sheet->name == name && namedCount_ == workbook.sheets.size();
    };
    if (const auto known = named_.find(name); known != named_.end()) {
      if (SheetPtr sheet = known->second.lock(); current(sheet)) return sheet;
    }
    named_.clear();
    namedCount_ = workbook.sheets.size();
    for (const SheetPtr& sheet : workbook.sheets) {
      if (IsMember(*sheet)) named_.try_emplace(sheet->name, sheet);
    }
    const auto listed = named_.find(name);
    return listed != named_.end() ? listed->second.lock() : nullptr;
  }

  SheetPtr InsertTemplate(model::Workbook& workbook, const model::Sheet* before, const std::string& path) const {
    if (workbook.structureProtected) throw ObjectMethodFailed("Add", "Sheets");
    const std::string file = LocalPath(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(FileSystemPath(file), error)) throw FileNotFound(path);
    if (!host().templateLoader) throw NoTemplateReader(path);
    std::shared_ptr<model::Workbook> source = host().templateLoader(file);
    if (!source) throw UnreadableFile(path);
    return InsertSheets(workbook, before, *source);
  }

  std::weak_ptr<model::Workbook> workbook_;
  bool worksheetsOnly_;
  std::string className_;
  std::unordered_map<std::string, std::weak_ptr<model::Sheet>> named_;
  std::size_t namedCount_ = 0;
};

}  // namespace

host::Ref<host::Sheets> MakeSheets(const Context& context, const std::shared_ptr<model::Workbook>& workbook,
                                   bool worksheetsOnly) {
  return std::make_shared<SheetsObject>(context, workbook, worksheetsOnly);
}

}  // namespace tabulara::embedded
