#include "com/variants.h"

#include <oleauto.h>

#include "host/host_error.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::com {

host::Variant PlainValue(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL:
      return {};
    case VT_BSTR:
      return platform::win32::Narrow(std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))));
    case VT_BOOL:
      return V_BOOL(&value) != VARIANT_FALSE;
    case VT_DATE:
      return host::Date{V_DATE(&value)};
    case VT_ERROR:
      return host::ErrorValue{static_cast<int>(HRESULT_CODE(V_ERROR(&value)))};
    default:
      break;
  }
  VARIANT number;
  VariantInit(&number);
  if (SUCCEEDED(VariantChangeType(&number, const_cast<VARIANT*>(&value), 0, VT_R8))) return V_R8(&number);
  return {};
}

namespace {

// The default member of an object, as the host gives a range's value.
host::Variant DefaultValue(IDispatch* object) {
  if (object == nullptr) return {};
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT value;
  VariantInit(&value);
  if (FAILED(object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value,
                            nullptr, nullptr))) {
    return {};
  }
  const host::Variant result = V_VT(&value) == VT_DISPATCH ? host::Variant() : PlainValue(value);
  VariantClear(&value);
  return result;
}

}  // namespace

host::Variant ArgumentValue(const VARIANT& argument) {
  VARIANT value;
  VariantInit(&value);
  if (FAILED(VariantCopyInd(&value, const_cast<VARIANT*>(&argument)))) return {};
  host::Variant result;
  if (V_VT(&value) == VT_DISPATCH) {
    result = DefaultValue(V_DISPATCH(&value));
  } else if ((V_VT(&value) & VT_ARRAY) == 0 && V_VT(&value) != VT_UNKNOWN) {
    result = PlainValue(value);
  }
  VariantClear(&value);
  return result;
}

void ToVariant(const host::Variant& value, VARIANT* result) {
  VariantInit(result);
  switch (value.kind()) {
    case host::Variant::Kind::Empty:
      return;
    case host::Variant::Kind::Number:
      V_VT(result) = VT_R8;
      V_R8(result) = value.AsNumber();
      return;
    case host::Variant::Kind::Text: {
      const std::wstring text = platform::win32::Widen(value.AsText());
      BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      if (copy == nullptr) throw std::bad_alloc();
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = copy;
      return;
    }
    case host::Variant::Kind::Logical:
      V_VT(result) = VT_BOOL;
      V_BOOL(result) = value.AsLogical() ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case host::Variant::Kind::Date:
      V_VT(result) = VT_DATE;
      V_DATE(result) = value.AsDate().serial;
      return;
    case host::Variant::Kind::Error:
      V_VT(result) = VT_ERROR;
      V_ERROR(result) = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, value.AsError().code);
      return;
    case host::Variant::Kind::Object:
      break;
  }
  throw host::TypeMismatch();
}

}  // namespace tabulara::com
