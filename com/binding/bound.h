#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <utility>

#include "com/binding/host_dispatch.h"

// wingdi.h's RGB macro would take the place of ColorFormat's member.
#undef RGB
#include "host/addins.h"
#include "host/application.h"
#include "host/command_bars.h"
#include "host/host_error.h"
#include "host/hyperlinks.h"
#include "host/range.h"
#include "host/shapes.h"
#include "host/sheet.h"
#include "host/workbook.h"

namespace tabulara::com {

// What every host object reached over IDispatch holds: its dispatch
// interface, handed back when the object is passed to the host.
class Bound {
 public:
  explicit Bound(ComPtr<IDispatch> object) : object_(std::move(object)) {}
  virtual ~Bound() = default;
  const HostDispatch& object() const { return object_; }

 private:
  HostDispatch object_;
};

// The dispatch interface of a host object the host handed out.
IDispatch* DispatchOf(const host::Object& object);

// The host's objects, each of the kind the add-in knows it by. A sheet is a
// Worksheet when its type information names a worksheet; a control a
// CommandBarButton or CommandBarPopup by its Type; an object of unknown
// kind (a selection, an event's sheet) a Range, a sheet or another object.
host::Ref<host::Application> BoundApplication(ComPtr<IDispatch> object);
host::Ref<host::Object> BoundObject(ComPtr<IDispatch> object);
host::Ref<host::Workbook> BoundWorkbook(ComPtr<IDispatch> object);
host::Ref<host::Sheets> BoundSheets(ComPtr<IDispatch> object);
host::Ref<host::Sheet> BoundSheet(ComPtr<IDispatch> object);
host::Ref<host::Range> BoundRange(ComPtr<IDispatch> object);
host::Ref<host::Hyperlinks> BoundHyperlinks(ComPtr<IDispatch> object);
host::Ref<host::Comment> BoundComment(ComPtr<IDispatch> object);
host::Ref<host::Shapes> BoundShapes(ComPtr<IDispatch> object);
host::Ref<host::Shape> BoundShape(ComPtr<IDispatch> object);
host::Ref<host::CommandBars> BoundCommandBars(ComPtr<IDispatch> object);
host::Ref<host::CommandBar> BoundCommandBar(ComPtr<IDispatch> object);
host::Ref<host::CommandBarControls> BoundControls(ComPtr<IDispatch> object);
host::Ref<host::CommandBarControl> BoundControl(ComPtr<IDispatch> object);
host::Ref<host::AddIns> BoundAddIns(ComPtr<IDispatch> object);

// The name of the object's type in its type information ("Range",
// "_Worksheet"), without a leading underscore; empty when it has none.
std::wstring TypeName(IDispatch& object);

// A host collection's _NewEnum, each item bound by `bind`.
template <class T>
class BoundEnumerator : public host::Enumerator<T> {
 public:
  using Binder = std::function<host::Ref<T>(ComPtr<IDispatch>)>;
  BoundEnumerator(const HostDispatch& collection, Binder bind) : items_(collection.Enumerate()), bind_(bind) {}

  host::Maybe<T> Next() override {
    OwnedVariant item;
    if (items_->Next(1, item.get(), nullptr) != S_OK) return std::nullopt;
    ComPtr<IDispatch> object = ObjectOf(std::move(item));
    if (!object) return std::nullopt;
    return bind_(std::move(object));
  }

 private:
  ComPtr<IEnumVARIANT> items_;
  Binder bind_;
};

template <class T>
std::unique_ptr<host::Enumerator<T>> Enumerate(const HostDispatch& collection,
                                               typename BoundEnumerator<T>::Binder bind) {
  return std::make_unique<BoundEnumerator<T>>(collection, std::move(bind));
}

// An object result that may be Nothing.
template <class T>
host::Maybe<T> Optional(OwnedVariant value, host::Ref<T> (*bind)(ComPtr<IDispatch>)) {
  ComPtr<IDispatch> object = ObjectOf(std::move(value));
  if (!object) return std::nullopt;
  return bind(std::move(object));
}

}  // namespace tabulara::com
