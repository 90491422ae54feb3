#pragma once

#include <windows.h>

#include "com/com_object.h"
#include "com/com_ptr.h"
#include "functions/formula.h"
#include "quorvel.h"

namespace tabulara::com {

// The creatable class Formula: the worksheet functions behind the dual
// interface _Formula, dispatched through the type library's information.
class FormulaObject final : public ComObject<_Formula> {
 public:
  static HRESULT Create(REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  HRESULT STDMETHODCALLTYPE Age(VARIANT birthday, VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE NonStaticRand(VARIANT* result) override;

 private:
  explicit FormulaObject(ComPtr<ITypeInfo> typeInfo) : typeInfo_(std::move(typeInfo)) {}
  bool Answers(REFIID iid) const override;

  ComPtr<ITypeInfo> typeInfo_;
  functions::Formula formula_;
};

}  // namespace tabulara::com
