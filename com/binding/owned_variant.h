#pragma once

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <utility>

namespace tabulara::com {

// A VARIANT that owns what it holds and clears it when it goes.
class OwnedVariant {
 public:
  OwnedVariant() { VariantInit(&value_); }
  explicit OwnedVariant(bool value) : OwnedVariant() {
    V_VT(&value_) = VT_BOOL;
    V_BOOL(&value_) = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
  explicit OwnedVariant(int value) : OwnedVariant() {
    V_VT(&value_) = VT_I4;
    V_I4(&value_) = value;
  }
  explicit OwnedVariant(double value) : OwnedVariant() {
    V_VT(&value_) = VT_R8;
    V_R8(&value_) = value;
  }
  explicit OwnedVariant(float value) : OwnedVariant() {
    V_VT(&value_) = VT_R4;
    V_R4(&value_) = value;
  }
  // Takes over the reference `object` holds (Nothing for nullptr).
  static OwnedVariant Adopting(IDispatch* object) {
    OwnedVariant held;
    V_VT(&held.value_) = VT_DISPATCH;
    V_DISPATCH(&held.value_) = object;
    return held;
  }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
  OwnedVariant(OwnedVariant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  OwnedVariant& operator=(OwnedVariant&& other) noexcept {
    std::swap(value_, other.value_);
    return *this;
  }
  ~OwnedVariant() { VariantClear(&value_); }

  VARIANT* get() { return &value_; }
  const VARIANT* get() const { return &value_; }
  VARTYPE type() const { return V_VT(&value_); }

 private:
  VARIANT value_;
};

}  // namespace tabulara::com
