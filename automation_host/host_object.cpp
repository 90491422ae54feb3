#include "automation_host/host_object.h"

#include <oleauto.h>

#include <atomic>
#include <new>

#include "automation_host/host_library.h"
#include "com/variants.h"
#include "host/host_error.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::automation {
namespace {

std::atomic<long> live{0};

// Asked of an IDispatch to find the host object behind it.
const IID kHostObjectSelf = {0x6b0b6d1e, 0x41a3, 0x4f0e, {0x9c, 0x55, 0x2e, 0x8a, 0x13, 0x77, 0x0d, 0x42}};

HRESULT Raise(EXCEPINFO* exception, long number, const std::string& description) {
  if (exception != nullptr) {
    *exception = EXCEPINFO{};
    exception->bstrSource = SysAllocString(L"Automation host");
    const std::wstring text = platform::win32::Widen(description);
    exception->bstrDescription = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    exception->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
  }
  return DISP_E_EXCEPTION;
}

}  // namespace

Call::Call(DISPPARAMS& parameters) {
  const unsigned named = parameters.cNamedArgs;
  for (unsigned i = 0; i < named; ++i) {
    if (parameters.rgdispidNamedArgs[i] == DISPID_PROPERTYPUT) putValue_ = &parameters.rgvarg[i];
  }
  for (unsigned i = parameters.cArgs; i > named; --i) positional_.push_back(&parameters.rgvarg[i - 1]);
}

const VARIANT& Call::At(unsigned position) const {
  if (position >= positional_.size() || Missing(position)) throw host::HostError(449, "Argument not optional");
  const VARIANT* value = positional_[position];
  return V_VT(value) == (VT_VARIANT | VT_BYREF) ? *V_VARIANTREF(value) : *value;
}

bool Call::Missing(unsigned position) const {
  if (position >= positional_.size()) return true;
  const VARIANT* value = positional_[position];
  return V_VT(value) == VT_ERROR && V_ERROR(value) == DISP_E_PARAMNOTFOUND;
}

std::string Call::Text(unsigned position) const {
  const host::Variant value = Value(position);
  if (!value.IsText()) throw host::TypeMismatch();
  return value.AsText();
}

int Call::Long(unsigned position) const { return static_cast<int>(Number(position)); }

double Call::Number(unsigned position) const {
  const host::Variant value = Value(position);
  if (value.IsNumber()) return value.AsNumber();
  if (value.IsLogical()) return value.AsLogical() ? -1 : 0;
  throw host::TypeMismatch();
}

bool Call::Logical(unsigned position) const {
  const host::Variant value = Value(position);
  if (value.IsLogical()) return value.AsLogical();
  if (value.IsNumber()) return value.AsNumber() != 0;
  throw host::TypeMismatch();
}

host::Variant Call::Value(unsigned position) const {
  VARIANT copy;
  VariantInit(&copy);
  if (FAILED(VariantCopyInd(&copy, const_cast<VARIANT*>(&At(position))))) throw host::TypeMismatch();
  const host::Variant value = V_VT(&copy) == VT_DISPATCH ? host::Variant() : com::PlainValue(copy);
  VariantClear(&copy);
  return value;
}

host::Ref<host::Object> Call::Object(unsigned position) const {
  const VARIANT& value = At(position);
  IDispatch* object = V_VT(&value) == VT_DISPATCH ? V_DISPATCH(&value) : nullptr;
  HostObject* own = HostObjectOf(object);
  if (own == nullptr) throw host::TypeMismatch();
  return own->model();
}

const VARIANT& Call::PutValue() const {
  if (putValue_ == nullptr) throw host::HostError(449, "Argument not optional");
  return *putValue_;
}

HostObject::HostObject(REFIID type, host::Ref<host::Object> model, std::vector<Member> members)
    : type_(type), info_(TypeInfo(type)), model_(std::move(model)) {
  for (auto& member : members) {
    LPOLESTR names[] = {member.name.data()};
    MEMBERID id = MEMBERID_NIL;
    if (FAILED(info_->GetIDsOfNames(names, 1, &id))) throw std::logic_error("a member the type library lacks");
    members_.emplace(id, std::move(member));
  }
  ++live;
}

HostObject::~HostObject() { --live; }

long HostObject::Live() { return live; }

bool HostObject::Answers(REFIID iid) const { return iid == IID_IUnknown || iid == IID_IDispatch || iid == type_; }

HRESULT HostObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == kHostObjectSelf) {
    *object = this;
    return S_OK;
  }
  if (void* other = Other(iid)) {
    *object = other;
    AddRef();
    return S_OK;
  }
  return ComObject::QueryInterface(iid, object);
}

HRESULT HostObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT HostObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  info_->AddRef();
  *info = info_.get();
  return S_OK;
}

HRESULT HostObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return DispGetIDsOfNames(info_.get(), names, count, ids);
}

HRESULT HostObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                           EXCEPINFO* exception, UINT*) {
  if (result != nullptr) VariantInit(result);
  const auto member = members_.find(id);
  if (member == members_.end()) return DISP_E_MEMBERNOTFOUND;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  const Call call(parameters == nullptr ? none : *parameters);
  try {
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
      if (!member->second.put) return DISP_E_MEMBERNOTFOUND;
      member->second.put(call);
      return S_OK;
    }
    if (!member->second.get) return DISP_E_MEMBERNOTFOUND;
    OwnedVariant value = member->second.get(call);
    if (result != nullptr) std::swap(*result, *value.get());
    return S_OK;
  } catch (const host::HostError& error) {
    return Raise(exception, error.Number(), error.Description());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& error) {
    return Raise(exception, host::kErrHostFailed, error.what());
  }
}

HostObject* HostObjectOf(IDispatch* object) {
  void* self = nullptr;
  if (object == nullptr || FAILED(object->QueryInterface(kHostObjectSelf, &self))) return nullptr;
  return static_cast<HostObject*>(self);
}

OwnedVariant Result(const host::Variant& value) {
  OwnedVariant result;
  com::ToVariant(value, result.get());
  return result;
}

OwnedVariant Result(const std::string& text) { return Result(host::Variant(text)); }

OwnedVariant Result(bool value) { return OwnedVariant(value); }
OwnedVariant Result(int value) { return OwnedVariant(value); }
OwnedVariant Result(double value) { return OwnedVariant(value); }
OwnedVariant Result(IDispatch* object) { return OwnedVariant::Adopting(object); }

}  // namespace tabulara::automation
