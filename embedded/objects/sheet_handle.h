#pragma once

#include <memory>

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// A sheet with its workbook, both alive.
struct SheetTarget {
  std::shared_ptr<model::Workbook> workbook;
  std::shared_ptr<model::Sheet> sheet;
};

// A sheet with its workbook, not held: alive while nothing runs that could
// close or delete them.
struct SheetView {
  const model::Workbook& workbook;
  const model::Sheet& sheet;
};

// How a reference holds its sheet: without keeping it alive.
class SheetHandle {
 public:
  explicit SheetHandle(const SheetTarget& target)
      : workbook_(target.workbook), sheet_(target.sheet), workbookAt_(target.workbook.get()),
        sheetAt_(target.sheet.get()) {}

  // The sheet and its workbook; raises "Object required" when the workbook
  // was closed or the sheet deleted.
  SheetTarget Resolve() const;
  // The same without holding them, for queries that run no add-in code (no
  // event): nothing can close or delete them while it runs. A query asked
  // cell by cell is spared taking and letting go of two shared owners.
  SheetView Peek() const;

 private:
  std::weak_ptr<model::Workbook> workbook_;
  std::weak_ptr<model::Sheet> sheet_;
  // What the weak pointers point at, while they have not expired.
  const model::Workbook* workbookAt_;
  const model::Sheet* sheetAt_;
};

// What the host knows of its own sheet and range references when they are
// passed back to it.
class SheetIdentity {
 public:
  virtual ~SheetIdentity() = default;
  virtual const SheetHandle& handle() const = 0;
};

class RangeIdentity {
 public:
  virtual ~RangeIdentity() = default;
  virtual const SheetHandle& handle() const = 0;
  virtual const model::Areas& areas() const = 0;
};

}  // namespace tabulara::embedded
