#pragma once

#include <windows.h>

#include "com/com_ptr.h"
#include "com/dual_object.h"
#include "functions/formula.h"
#include "quorvel.h"

namespace tabulara::com {

// The creatable class Formula: the worksheet functions behind the dual
// interface _Formula, dispatched through the type library's information.
class FormulaObject final : public DualObject<_Formula> {
 public:
  static HRESULT Create(REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE Age(VARIANT birthday, VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE NonStaticRand(VARIANT* result) override;

 private:
  explicit FormulaObject(ComPtr<ITypeInfo> typeInfo) : DualObject(std::move(typeInfo)) {}
  bool Answers(REFIID iid) const override;

  functions::Formula formula_;
};

}  // namespace tabulara::com
