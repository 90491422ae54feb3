#include "com/binding/event_connection.h"

#include <ocidl.h>

#include <map>
#include <new>

#include "com/com_error.h"
#include "com/com_object.h"
#include "com/com_ptr.h"
#include "host/host_error.h"

namespace tabulara::com {
namespace {

// The object the source calls: an IDispatch that answers for the event
// interface and hands each event to its handler until detached.
class EventSink final : public ComObject<IDispatch> {
 public:
  EventSink(IID events, std::map<DISPID, EventHandler> handlers) : events_(events), handlers_(std::move(handlers)) {}

  void Detach() { handlers_.clear(); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (result != nullptr) VariantInit(result);
    const auto handler = handlers_.find(id);
    if (handler == handlers_.end() || parameters == nullptr) return S_OK;
    return Guarded([&] {
      // The handler may end the subscription while it runs.
      const EventHandler running = handler->second;
      running(EventArguments(*parameters));
      return S_OK;
    });
  }

 private:
  bool Answers(REFIID iid) const override {
    return iid == IID_IUnknown || iid == IID_IDispatch || iid == events_;
  }

  IID events_;
  std::map<DISPID, EventHandler> handlers_;
};

class Connection final : public host::Subscription {
 public:
  Connection(ComPtr<IConnectionPoint> point, ComPtr<EventSink> sink, DWORD cookie)
      : point_(std::move(point)), sink_(std::move(sink)), cookie_(cookie) {}
  ~Connection() override {
    sink_->Detach();
    point_->Unadvise(cookie_);
  }

 private:
  ComPtr<IConnectionPoint> point_;
  ComPtr<EventSink> sink_;
  DWORD cookie_;
};

[[noreturn]] void Fail(HRESULT result) {
  throw host::HostError(static_cast<long>(result), "The host's object raises none of the events asked for");
}

// The dispatch ids of the handled events in the interface `events`, or an
// empty map when it does not name them all.
std::map<DISPID, EventHandler> Resolve(ITypeLib& library, REFIID events,
                                       const std::vector<std::pair<std::wstring, EventHandler>>& handlers) {
  ComPtr<ITypeInfo> info;
  if (FAILED(library.GetTypeInfoOfGuid(events, info.put()))) return {};
  std::map<DISPID, EventHandler> resolved;
  for (const auto& [name, handler] : handlers) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    MEMBERID id = MEMBERID_NIL;
    if (FAILED(info->GetIDsOfNames(names, 1, &id))) return {};
    resolved.emplace(id, handler);
  }
  return resolved;
}

}  // namespace

VARIANT& EventArguments::At(unsigned position) const {
  if (position >= parameters_.cArgs) throw host::HostError(449, "Argument not optional");
  return parameters_.rgvarg[parameters_.cArgs - 1 - position];
}

IDispatch* EventArguments::Object(unsigned position) const {
  const VARIANT& argument = At(position);
  if (V_VT(&argument) == VT_DISPATCH) return V_DISPATCH(&argument);
  if (V_VT(&argument) == (VT_DISPATCH | VT_BYREF)) return *V_DISPATCHREF(&argument);
  throw host::TypeMismatch();
}

bool EventArguments::Logical(unsigned position) const {
  const VARIANT& argument = At(position);
  if (V_VT(&argument) == VT_BOOL) return V_BOOL(&argument) != VARIANT_FALSE;
  if (V_VT(&argument) == (VT_BOOL | VT_BYREF)) return *V_BOOLREF(&argument) != VARIANT_FALSE;
  if (V_VT(&argument) == (VT_VARIANT | VT_BYREF)) {
    const VARIANT* inner = V_VARIANTREF(&argument);
    if (V_VT(inner) == VT_BOOL) return V_BOOL(inner) != VARIANT_FALSE;
  }
  throw host::TypeMismatch();
}

void EventArguments::SetLogical(unsigned position, bool value) const {
  VARIANT& argument = At(position);
  const VARIANT_BOOL flag = value ? VARIANT_TRUE : VARIANT_FALSE;
  if (V_VT(&argument) == (VT_BOOL | VT_BYREF)) {
    *V_BOOLREF(&argument) = flag;
  } else if (V_VT(&argument) == (VT_VARIANT | VT_BYREF) && V_VT(V_VARIANTREF(&argument)) == VT_BOOL) {
    V_BOOL(V_VARIANTREF(&argument)) = flag;
  }
}

std::unique_ptr<host::Subscription> Subscribe(IDispatch* source,
                                              std::vector<std::pair<std::wstring, EventHandler>> handlers) {
  ComPtr<IConnectionPointContainer> container;
  HRESULT result = source->QueryInterface(IID_IConnectionPointContainer, container.put_void());
  if (FAILED(result)) Fail(result);
  ComPtr<ITypeInfo> sourceInfo;
  ComPtr<ITypeLib> library;
  UINT index = 0;
  result = source->GetTypeInfo(0, 1033, sourceInfo.put());
  if (SUCCEEDED(result)) result = sourceInfo->GetContainingTypeLib(library.put(), &index);
  if (FAILED(result)) Fail(result);
  ComPtr<IEnumConnectionPoints> points;
  result = container->EnumConnectionPoints(points.put());
  if (FAILED(result)) Fail(result);
  for (;;) {
    ComPtr<IConnectionPoint> point;
    if (points->Next(1, point.put(), nullptr) != S_OK) break;
    IID events{};
    if (FAILED(point->GetConnectionInterface(&events))) continue;
    std::map<DISPID, EventHandler> resolved = Resolve(*library.get(), events, handlers);
    if (resolved.empty()) continue;
    ComPtr<EventSink> sink = ComPtr<EventSink>::Retain(new (std::nothrow) EventSink(events, std::move(resolved)));
    if (!sink) throw std::bad_alloc();
    DWORD cookie = 0;
    result = point->Advise(sink.get(), &cookie);
    if (FAILED(result)) Fail(result);
    return std::make_unique<Connection>(std::move(point), std::move(sink), cookie);
  }
  Fail(E_NOINTERFACE);
}

}  // namespace tabulara::com
