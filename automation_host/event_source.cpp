#include "automation_host/event_source.h"

#include <oleauto.h>
#include <olectl.h>

#include <atomic>
#include <new>
#include <utility>

#include "automation_host/host_library.h"

namespace tabulara::automation {
namespace {

std::atomic<long> liveSinks{0};
HRESULT sinkFailure = S_OK;

// The enumeration of a source's one connection point.
class PointEnumerator final : public com::ComObject<IEnumConnectionPoints> {
 public:
  explicit PointEnumerator(IConnectionPoint* point) : point_(com::ComPtr<IConnectionPoint>::Retain(point)) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override {
    ULONG given = 0;
    if (count > 0 && !done_) {
      point_->AddRef();
      points[0] = point_.get();
      given = 1;
      done_ = true;
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (count > 0) done_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    done_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) override {
    if (copy != nullptr) *copy = nullptr;
    return E_NOTIMPL;
  }

 private:
  bool Answers(REFIID iid) const override { return iid == IID_IUnknown || iid == IID_IEnumConnectionPoints; }

  com::ComPtr<IConnectionPoint> point_;
  bool done_ = false;
};

}  // namespace

ConnectionPoint::ConnectionPoint(EventSource& source, REFIID events, Subscriber subscribe)
    : source_(source), events_(events), info_(TypeInfo(events)), subscribe_(std::move(subscribe)) {}

long ConnectionPoint::Live() { return liveSinks; }

HRESULT ConnectionPoint::TakeSinkFailure() { return std::exchange(sinkFailure, S_OK); }

bool ConnectionPoint::Answers(REFIID iid) const { return iid == IID_IUnknown || iid == IID_IConnectionPoint; }

void ConnectionPoint::Raise(const wchar_t* name, std::vector<VARIANT> arguments) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  MEMBERID id = MEMBERID_NIL;
  if (FAILED(info_->GetIDsOfNames(names, 1, &id))) return;
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  // A sink may unadvise while it runs.
  std::vector<IDispatch*> sinks;
  for (const auto& [cookie, sink] : sinks_) sinks.push_back(sink.get());
  for (IDispatch* sink : sinks) {
    sink->AddRef();
    const HRESULT called = sink->Invoke(id, IID_NULL, 1033, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
    if (FAILED(called)) sinkFailure = called;
    sink->Release();
  }
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = events_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  source_.AddRef();
  *container = &source_;
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  com::ComPtr<IDispatch> dispatch;
  if (FAILED(sink->QueryInterface(events_, dispatch.put_void()))) return CONNECT_E_CANNOTCONNECT;
  try {
    if (sinks_.empty()) subscription_ = subscribe_();
  } catch (...) {
    return E_FAIL;
  }
  *cookie = nextCookie_++;
  sinks_.emplace(*cookie, std::move(dispatch));
  ++liveSinks;
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  if (sinks_.erase(cookie) == 0) return CONNECT_E_NOCONNECTION;
  --liveSinks;
  if (sinks_.empty()) subscription_.reset();
  return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections != nullptr) *connections = nullptr;
  return E_NOTIMPL;
}

EventSource::EventSource(REFIID type, host::Ref<host::Object> model, std::vector<Member> members, REFIID events,
                         ConnectionPoint::Subscriber subscribe)
    : HostObject(type, std::move(model), std::move(members)),
      point_(com::ComPtr<ConnectionPoint>::Retain(new ConnectionPoint(*this, events, std::move(subscribe)))) {}

void* EventSource::Other(REFIID iid) {
  return iid == IID_IConnectionPointContainer ? static_cast<IConnectionPointContainer*>(this) : nullptr;
}

HRESULT EventSource::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points == nullptr) return E_POINTER;
  auto* enumerator = new (std::nothrow) PointEnumerator(point_.get());
  if (enumerator == nullptr) return E_OUTOFMEMORY;
  enumerator->AddRef();
  *points = enumerator;
  return S_OK;
}

HRESULT EventSource::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  IID events{};
  point_->GetConnectionInterface(&events);
  if (iid != events) return CONNECT_E_NOCONNECTION;
  point_->AddRef();
  *point = point_.get();
  return S_OK;
}

}  // namespace tabulara::automation
