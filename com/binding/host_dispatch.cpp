#include "com/binding/host_dispatch.h"

#include <oleauto.h>

#include <new>
#include <utility>
#include <vector>

#include "com/variants.h"
#include "host/host_error.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::com {
namespace {

// Calls are made in the host's published language, as its object model
// reads numbers, dates and the protection flag.
constexpr LCID kEnglishUS = 1033;

// The runtime's error for a failed call that carries no exception of the
// host's own.
host::HostError RuntimeError(HRESULT result) {
  switch (result) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME:
      return host::HostError(438, "Object doesn't support this property or method");
    case DISP_E_TYPEMISMATCH:
      return host::TypeMismatch();
    case DISP_E_BADINDEX:
      return host::SubscriptOutOfRange();
    case DISP_E_OVERFLOW:
      return host::Overflow();
    case DISP_E_PARAMNOTOPTIONAL:
    case DISP_E_BADPARAMCOUNT:
      return host::HostError(449, "Argument not optional");
    case E_OUTOFMEMORY:
      throw std::bad_alloc();
    default:
      break;
  }
  if (HRESULT_FACILITY(result) == FACILITY_CONTROL) {
    return host::HostError(HRESULT_CODE(result), "Application-defined or object-defined error");
  }
  return host::HostError(static_cast<long>(result), "Automation error");
}

// The host's own error, from the exception it filled in.
host::HostError HostException(EXCEPINFO& exception) {
  if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
  const std::string description =
      exception.bstrDescription == nullptr
          ? std::string()
          : platform::win32::Narrow(std::wstring(exception.bstrDescription, SysStringLen(exception.bstrDescription)));
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  long number = exception.wCode;
  if (number == 0) {
    number = HRESULT_FACILITY(exception.scode) == FACILITY_CONTROL ? HRESULT_CODE(exception.scode)
                                                                    : static_cast<long>(exception.scode);
  }
  if (description.empty()) return RuntimeError(exception.scode);
  return host::HostError(number, description);
}

OwnedVariant Converted(OwnedVariant value, VARTYPE type) {
  if (value.type() == type) return value;
  OwnedVariant converted;
  if (FAILED(VariantChangeType(converted.get(), value.get(), 0, type))) throw host::TypeMismatch();
  return converted;
}

}  // namespace

Argument::Argument(bool value) : value_(value) {}
Argument::Argument(int value) : value_(value) {}
Argument::Argument(double value) : value_(value) {}
Argument::Argument(float value) : value_(value) {}

Argument::Argument(const std::string& value) : Argument(host::Variant(value)) {}

Argument::Argument(IDispatch* object) : value_(OwnedVariant::Adopting(object)) {
  if (object != nullptr) object->AddRef();
}

Argument::Argument(const host::Variant& value) { ToVariant(value, value_.get()); }

Argument Argument::Missing() {
  Argument missing;
  V_VT(missing.value_.get()) = VT_ERROR;
  V_ERROR(missing.value_.get()) = DISP_E_PARAMNOTFOUND;
  return missing;
}

HostDispatch::HostDispatch(ComPtr<IDispatch> object) : object_(std::move(object)) {
  if (!object_) throw host::ObjectVariableNotSet();
}

OwnedVariant HostDispatch::Invoke(const wchar_t* name, WORD flags, Argument* arguments, std::size_t count) const {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT found = object_->GetIDsOfNames(IID_NULL, names, 1, kEnglishUS, &id);
  if (FAILED(found)) throw RuntimeError(found);
  // DISPPARAMS lists the arguments last first.
  std::vector<VARIANT> reversed;
  reversed.reserve(count);
  for (std::size_t i = count; i > 0; --i) reversed.push_back(*arguments[i - 1].get());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(count), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    parameters.rgdispidNamedArgs = &putId;
    parameters.cNamedArgs = 1;
  }
  OwnedVariant result;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  const HRESULT invoked = object_->Invoke(id, IID_NULL, kEnglishUS, flags, &parameters,
                                          flags == DISPATCH_PROPERTYPUT ? nullptr : result.get(), &exception,
                                          &argumentError);
  if (invoked == DISP_E_EXCEPTION) throw HostException(exception);
  if (FAILED(invoked)) throw RuntimeError(invoked);
  return result;
}

OwnedVariant HostDispatch::Get(const wchar_t* name, std::initializer_list<Argument> arguments) const {
  return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, const_cast<Argument*>(arguments.begin()),
                arguments.size());
}

void HostDispatch::Put(const wchar_t* name, Argument value) const { Invoke(name, DISPATCH_PROPERTYPUT, &value, 1); }

// The host takes a method call and a property read alike.
OwnedVariant HostDispatch::Call(const wchar_t* name, std::initializer_list<Argument> arguments) const {
  return Get(name, arguments);
}

OwnedVariant HostDispatch::Call(const wchar_t* name, std::vector<Argument>& arguments) const {
  return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments.data(), arguments.size());
}

ComPtr<IEnumVARIANT> HostDispatch::Enumerate() const {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  OwnedVariant result;
  EXCEPINFO exception{};
  const HRESULT invoked = object_->Invoke(DISPID_NEWENUM, IID_NULL, kEnglishUS,
                                          DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, result.get(), &exception,
                                          nullptr);
  if (invoked == DISP_E_EXCEPTION) throw HostException(exception);
  if (FAILED(invoked)) throw RuntimeError(invoked);
  IUnknown* unknown = result.type() == VT_UNKNOWN || result.type() == VT_DISPATCH ? V_UNKNOWN(result.get()) : nullptr;
  ComPtr<IEnumVARIANT> enumerator;
  if (unknown == nullptr || FAILED(unknown->QueryInterface(IID_IEnumVARIANT, enumerator.put_void()))) {
    throw host::TypeMismatch();
  }
  return enumerator;
}

std::string HostDispatch::Text(const wchar_t* name) const { return TextOf(Get(name)); }
bool HostDispatch::Logical(const wchar_t* name) const { return LogicalOf(Get(name)); }
std::int32_t HostDispatch::Long(const wchar_t* name) const { return LongOf(Get(name)); }
double HostDispatch::Number(const wchar_t* name) const { return NumberOf(Get(name)); }

ComPtr<IDispatch> HostDispatch::Object(const wchar_t* name, std::initializer_list<Argument> arguments) const {
  ComPtr<IDispatch> object = ObjectOf(Get(name, arguments));
  if (!object) throw host::ObjectVariableNotSet();
  return object;
}

std::string TextOf(OwnedVariant value) {
  OwnedVariant text = Converted(std::move(value), VT_BSTR);
  return platform::win32::Narrow(std::wstring(V_BSTR(text.get()), SysStringLen(V_BSTR(text.get()))));
}

bool LogicalOf(OwnedVariant value) { return V_BOOL(Converted(std::move(value), VT_BOOL).get()) != VARIANT_FALSE; }

std::int32_t LongOf(OwnedVariant value) { return V_I4(Converted(std::move(value), VT_I4).get()); }

double NumberOf(OwnedVariant value) { return V_R8(Converted(std::move(value), VT_R8).get()); }

ComPtr<IDispatch> ObjectOf(OwnedVariant value) {
  const VARIANT* held = value.get();
  if (V_VT(held) == VT_EMPTY) return {};
  if (V_VT(held) == VT_DISPATCH) return ComPtr<IDispatch>::Retain(V_DISPATCH(held));
  if (V_VT(held) == VT_UNKNOWN && V_UNKNOWN(held) != nullptr) {
    ComPtr<IDispatch> object;
    if (SUCCEEDED(V_UNKNOWN(held)->QueryInterface(IID_IDispatch, object.put_void()))) return object;
  }
  if (V_VT(held) == VT_UNKNOWN || V_VT(held) == VT_NULL) return {};
  throw host::TypeMismatch();
}

host::Variant ValueOf(const OwnedVariant& value) {
  if (value.type() == VT_DISPATCH || value.type() == VT_UNKNOWN) throw host::TypeMismatch();
  return PlainValue(*value.get());
}

}  // namespace tabulara::com
