#pragma once

#include <ocidl.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "automation_host/host_object.h"
#include "host/events.h"

namespace tabulara::automation {

class EventSource;

// The one connection point of an event source: the clients' sinks for its
// event interface. The source's own model is subscribed to while a sink is
// advised.
class ConnectionPoint final : public com::ComObject<IConnectionPoint> {
 public:
  using Subscriber = std::function<std::unique_ptr<host::Subscription>()>;
  ConnectionPoint(EventSource& source, REFIID events, Subscriber subscribe);

  // Calls the event `name` on every sink, its arguments in published order.
  void Raise(const wchar_t* name, std::vector<VARIANT> arguments);

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

  // How many sinks are advised now, on every connection point.
  static long Live();
  // The error a sink returned since the last call, S_OK when none did.
  static HRESULT TakeSinkFailure();

 private:
  bool Answers(REFIID iid) const override;

  EventSource& source_;
  IID events_;
  com::ComPtr<ITypeInfo> info_;
  Subscriber subscribe_;
  std::unique_ptr<host::Subscription> subscription_;
  std::map<DWORD, com::ComPtr<IDispatch>> sinks_;
  DWORD nextCookie_ = 1;
};

// A host object that raises events through one connection point.
class EventSource : public HostObject, public IConnectionPointContainer {
 public:
  EventSource(REFIID type, host::Ref<host::Object> model, std::vector<Member> members, REFIID events,
              ConnectionPoint::Subscriber subscribe);

  ConnectionPoint& point() { return *point_.get(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return HostObject::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return HostObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return HostObject::Release(); }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

 protected:
  void* Other(REFIID iid) override;

 private:
  com::ComPtr<ConnectionPoint> point_;
};

}  // namespace tabulara::automation
