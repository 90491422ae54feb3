#pragma once

#include <windows.h>

#include <atomic>

#include "com/com_ptr.h"
#include "functions/formula.h"
#include "quorvel.h"

namespace tabulara::com {

// The creatable class Formula: the worksheet functions behind the dual
// interface _Formula, dispatched through the type library's information.
class FormulaObject final : public _Formula {
 public:
  static HRESULT Create(REFIID iid, void** object);

  // Deleted by the last Release.
  ~FormulaObject();
  FormulaObject(const FormulaObject&) = delete;
  FormulaObject& operator=(const FormulaObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  HRESULT STDMETHODCALLTYPE Age(VARIANT birthday, VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE NonStaticRand(VARIANT* result) override;

 private:
  explicit FormulaObject(ComPtr<ITypeInfo> typeInfo);

  std::atomic<ULONG> references_{0};
  ComPtr<ITypeInfo> typeInfo_;
  functions::Formula formula_;
};

}  // namespace tabulara::com
