#pragma once

#include <oaidl.h>

#include <memory>

#include "automation_host/exposed.h"
#include "automation_host/host_object.h"
#include "com/com_object.h"
#include "host/object.h"

namespace tabulara::automation {

// A collection's _NewEnum: the host's enumeration, each item exposed.
template <class T>
class VariantEnumerator final : public com::ComObject<IEnumVARIANT> {
 public:
  explicit VariantEnumerator(std::unique_ptr<host::Enumerator<T>> items) : items_(std::move(items)) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* values, ULONG* fetched) override {
    ULONG given = 0;
    while (given < count) {
      host::Maybe<T> item = items_->Next();
      if (!item) break;
      VariantInit(&values[given]);
      V_VT(&values[given]) = VT_DISPATCH;
      V_DISPATCH(&values[given]) = Expose(*item);
      ++given;
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    for (ULONG i = 0; i < count; ++i) {
      if (!items_->Next()) return S_FALSE;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
    if (copy != nullptr) *copy = nullptr;
    return E_NOTIMPL;
  }

 private:
  bool Answers(REFIID iid) const override { return iid == IID_IUnknown || iid == IID_IEnumVARIANT; }

  std::unique_ptr<host::Enumerator<T>> items_;
};

// The _NewEnum member's result.
template <class Collection>
OwnedVariant Enumeration(Collection& collection) {
  using Item = typename Collection::ItemType;
  auto* enumerator = new VariantEnumerator<Item>(collection.NewEnum());
  enumerator->AddRef();
  OwnedVariant result;
  V_VT(result.get()) = VT_UNKNOWN;
  V_UNKNOWN(result.get()) = enumerator;
  return result;
}

}  // namespace tabulara::automation
