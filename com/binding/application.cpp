#include "com/binding/bound.h"

#include <oleauto.h>
#include "com/binding/event_connection.h"

namespace tabulara::com {
namespace {

// An object the add-in only passes on or tests for its kind.
class OtherObject final : public host::Object, public Bound {
 public:
  using Bound::Bound;
};

class Application final : public host::Application, public Bound {
 public:
  using Bound::Bound;

  host::Maybe<host::Workbook> ActiveWorkbook() override {
    return Optional(object().Get(L"ActiveWorkbook"), &BoundWorkbook);
  }
  host::Maybe<host::Sheet> ActiveSheet() override { return Optional(object().Get(L"ActiveSheet"), &BoundSheet); }
  host::Maybe<host::Range> ActiveCell() override { return Optional(object().Get(L"ActiveCell"), &BoundRange); }
  host::Maybe<host::Object> Selection() override { return Optional(object().Get(L"Selection"), &BoundObject); }
  host::Ref<host::Sheets> Sheets() override { return BoundSheets(object().Object(L"Sheets")); }
  host::Ref<host::CommandBars> CommandBars() override { return BoundCommandBars(object().Object(L"CommandBars")); }
  host::Ref<host::AddIns> AddIns() override { return BoundAddIns(object().Object(L"AddIns")); }
  void ScreenUpdating(bool on) override { object().Put(L"ScreenUpdating", on); }
  void EnableEvents(bool on) override { object().Put(L"EnableEvents", on); }
  void Cursor(int cursor) override { object().Put(L"Cursor", cursor); }
  void Volatile(bool isVolatile) override { object().Call(L"Volatile", {isVolatile}); }
  void Calculate() override { object().Call(L"Calculate"); }

  std::unique_ptr<host::Subscription> Advise(Events& sink) override {
    using Cell = void (Events::*)(const host::Ref<host::Sheet>&, const host::Ref<host::Range>&, bool&);
    const auto cellEvent = [&sink](Cell event) {
      return [&sink, event](const EventArguments& arguments) {
        bool cancel = arguments.Logical(2);
        (sink.*event)(BoundSheet(ComPtr<IDispatch>::Retain(arguments.Object(0))),
                      BoundRange(ComPtr<IDispatch>::Retain(arguments.Object(1))), cancel);
        arguments.SetLogical(2, cancel);
      };
    };
    return Subscribe(object().get(),
                     {{L"SheetBeforeDoubleClick", cellEvent(&Events::SheetBeforeDoubleClick)},
                      {L"SheetBeforeRightClick", cellEvent(&Events::SheetBeforeRightClick)},
                      {L"WorkbookBeforeSave", [&sink](const EventArguments& arguments) {
                         bool cancel = arguments.Logical(2);
                         sink.WorkbookBeforeSave(BoundWorkbook(ComPtr<IDispatch>::Retain(arguments.Object(0))),
                                                 arguments.Logical(1), cancel);
                         arguments.SetLogical(2, cancel);
                       }}});
  }
};

}  // namespace

IDispatch* DispatchOf(const host::Object& object) {
  const auto* bound = dynamic_cast<const Bound*>(&object);
  if (bound == nullptr) throw host::TypeMismatch();
  return bound->object().get();
}

std::wstring TypeName(IDispatch& object) {
  ComPtr<ITypeInfo> info;
  if (FAILED(object.GetTypeInfo(0, 1033, info.put())) || !info) return {};
  BSTR name = nullptr;
  if (FAILED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)) || name == nullptr) return {};
  std::wstring text(name, SysStringLen(name));
  SysFreeString(name);
  if (!text.empty() && text.front() == L'_') text.erase(0, 1);
  return text;
}

host::Ref<host::Application> BoundApplication(ComPtr<IDispatch> object) {
  return std::make_shared<Application>(std::move(object));
}

host::Ref<host::Object> BoundObject(ComPtr<IDispatch> object) {
  const std::wstring type = TypeName(*object.get());
  if (type == L"Range") return BoundRange(std::move(object));
  if (type == L"Worksheet" || type == L"Chart") return BoundSheet(std::move(object));
  return std::make_shared<OtherObject>(std::move(object));
}

}  // namespace tabulara::com
