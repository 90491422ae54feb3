#include "com/gridwright_object.h"

#include <oleauto.h>

#include <memory>
#include <new>
#include <vector>

#include "com/binding/bound.h"
#include "com/com_error.h"
#include "com/type_library.h"
#include "com/variants.h"

namespace tabulara::com {
namespace {

// The host's custom array, which the add-in only passes on.
std::vector<host::Variant> CustomValues(SAFEARRAY** custom) {
  std::vector<host::Variant> values;
  if (custom == nullptr || *custom == nullptr || SafeArrayGetDim(*custom) != 1) return values;
  LONG first = 0;
  LONG last = -1;
  SafeArrayGetLBound(*custom, 1, &first);
  SafeArrayGetUBound(*custom, 1, &last);
  for (LONG index = first; index <= last; ++index) {
    VARIANT element;
    VariantInit(&element);
    if (SUCCEEDED(SafeArrayGetElement(*custom, &index, &element))) values.push_back(ArgumentValue(element));
    VariantClear(&element);
  }
  return values;
}

// Runs one of the connection's operations with the host's custom array, no
// exception leaving it.
template <class Operation>
HRESULT WithCustom(SAFEARRAY** custom, Operation operation) {
  return Guarded([&] {
    std::vector<host::Variant> values = CustomValues(custom);
    operation(values);
    return S_OK;
  });
}

}  // namespace

HRESULT GridwrightObject::Create(REFIID iid, void** object) {
  ComPtr<ITypeInfo> typeInfo;
  const HRESULT loaded = LoadTypeInfo(IID__IDTExtensibility2, typeInfo);
  if (FAILED(loaded)) return loaded;
  return HandOut(std::unique_ptr<GridwrightObject>(new (std::nothrow) GridwrightObject(std::move(typeInfo))), iid,
                 object);
}

bool GridwrightObject::Answers(REFIID iid) const {
  return iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__IDTExtensibility2;
}

HRESULT GridwrightObject::OnConnection(IDispatch* application, ext_ConnectMode connectMode, IDispatch* addInInst,
                                       SAFEARRAY** custom) {
  return WithCustom(custom, [&](std::vector<host::Variant>& values) {
    if (application == nullptr) throw host::ObjectVariableNotSet();
    const host::Ref<host::Object> addIn =
        addInInst == nullptr ? std::make_shared<host::Object>() : BoundObject(ComPtr<IDispatch>::Retain(addInInst));
    connection_.OnConnection(BoundApplication(ComPtr<IDispatch>::Retain(application)), connectMode, addIn, values);
  });
}

HRESULT GridwrightObject::OnDisconnection(ext_DisconnectMode removeMode, SAFEARRAY** custom) {
  return WithCustom(custom,
                    [&](std::vector<host::Variant>& values) { connection_.OnDisconnection(removeMode, values); });
}

HRESULT GridwrightObject::OnAddInsUpdate(SAFEARRAY** custom) {
  return WithCustom(custom, [&](std::vector<host::Variant>& values) { connection_.OnAddInsUpdate(values); });
}

HRESULT GridwrightObject::OnStartupComplete(SAFEARRAY** custom) {
  return WithCustom(custom, [&](std::vector<host::Variant>& values) { connection_.OnStartupComplete(values); });
}

HRESULT GridwrightObject::OnBeginShutdown(SAFEARRAY** custom) {
  return WithCustom(custom, [&](std::vector<host::Variant>& values) { connection_.OnBeginShutdown(values); });
}

}  // namespace tabulara::com
