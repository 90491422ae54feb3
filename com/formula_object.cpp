#include "com/formula_object.h"

#include <oleauto.h>

#include <memory>

#include "com/com_error.h"
#include "com/module.h"
#include "com/type_library.h"
#include "com/variants.h"

namespace tabulara::com {

HRESULT FormulaObject::Create(REFIID iid, void** object) {
  ComPtr<ITypeInfo> typeInfo;
  const HRESULT loaded = LoadTypeInfo(IID__Formula, typeInfo);
  if (FAILED(loaded)) return loaded;
  return HandOut(std::unique_ptr<FormulaObject>(new (std::nothrow) FormulaObject(std::move(typeInfo))), iid, object);
}

bool FormulaObject::Answers(REFIID iid) const {
  return iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__Formula;
}

HRESULT FormulaObject::Age(VARIANT birthday, VARIANT* result) {
  if (result == nullptr) return E_POINTER;
  VariantInit(result);
  return Guarded([&] {
    ToVariant(formula_.Age(ArgumentValue(birthday)), result);
    // The age is a 32-bit whole number.
    return V_VT(result) == VT_R8 ? VariantChangeType(result, result, 0, VT_I4) : S_OK;
  });
}

HRESULT FormulaObject::NonStaticRand(VARIANT* result) {
  if (result == nullptr) return E_POINTER;
  VariantInit(result);
  return Guarded([&] {
    ToVariant(formula_.NonStaticRand(), result);
    // The generator's numbers are single precision.
    return VariantChangeType(result, result, 0, VT_R4);
  });
}

}  // namespace tabulara::com
