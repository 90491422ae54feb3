#pragma once

#include <memory>

#include "host/events.h"
#include "host/object.h"

namespace tabulara::host {

class AddIns;
class CommandBars;
class Range;
class Sheet;
class Sheets;
class Workbook;

class Application : public Object {
 public:
  class Events {
   public:
    virtual ~Events() = default;
    virtual void SheetBeforeDoubleClick(const Ref<Sheet>& sh, const Ref<Range>& target, bool& cancel) = 0;
    virtual void SheetBeforeRightClick(const Ref<Sheet>& sh, const Ref<Range>& target, bool& cancel) = 0;
    virtual void WorkbookBeforeSave(const Ref<Workbook>& wb, bool saveAsUI, bool& cancel) = 0;
  };

  // None of these four has an object while no workbook is open.
  virtual Maybe<Workbook> ActiveWorkbook() = 0;
  virtual Maybe<Sheet> ActiveSheet() = 0;
  virtual Maybe<Range> ActiveCell() = 0;
  // A Range, or another kind of object (a picture, a chart element).
  virtual Maybe<Object> Selection() = 0;

  // The sheets of the active workbook.
  virtual Ref<host::Sheets> Sheets() = 0;
  virtual Ref<host::CommandBars> CommandBars() = 0;
  virtual Ref<host::AddIns> AddIns() = 0;

  virtual void ScreenUpdating(bool on) = 0;
  virtual void EnableEvents(bool on) = 0;
  // xlWait or xlDefault.
  virtual void Cursor(int cursor) = 0;
  // Marks the worksheet function being calculated as volatile.
  virtual void Volatile(bool isVolatile) = 0;
  // Calculates every sheet of every open workbook (F9).
  virtual void Calculate() = 0;

  virtual std::unique_ptr<Subscription> Advise(Events& sink) = 0;
};

}  // namespace tabulara::host
