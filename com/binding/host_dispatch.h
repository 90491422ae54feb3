#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "com/binding/owned_variant.h"
#include "com/com_ptr.h"
#include "host/variant.h"

namespace tabulara::com {

// An argument of a late-bound call; an empty optional is passed as missing,
// as the host expects an omitted optional argument.
class Argument {
 public:
  Argument(bool value);
  Argument(int value);
  Argument(double value);
  Argument(float value);
  Argument(const std::string& value);
  Argument(const char* value) : Argument(std::string(value)) {}
  Argument(IDispatch* object);
  Argument(const host::Variant& value);
  template <class T>
  Argument(const std::optional<T>& value) : Argument(Missing()) {
    if (value) *this = Argument(*value);
  }

  static Argument Missing();
  VARIANT* get() { return value_.get(); }

 private:
  Argument() = default;
  OwnedVariant value_;
};

// A host object reached by IDispatch late binding: members by name
// (GetIDsOfNames), arguments in their published order. A failure raises the
// host's error: the number and description of its EXCEPINFO, or the
// runtime's error for the HRESULT.
class HostDispatch {
 public:
  explicit HostDispatch(ComPtr<IDispatch> object);
  HostDispatch(HostDispatch&&) = default;

  OwnedVariant Get(const wchar_t* name, std::initializer_list<Argument> arguments = {}) const;
  void Put(const wchar_t* name, Argument value) const;
  OwnedVariant Call(const wchar_t* name, std::initializer_list<Argument> arguments = {}) const;
  // A method whose arguments are known only as it runs.
  OwnedVariant Call(const wchar_t* name, std::vector<Argument>& arguments) const;
  // The object's _NewEnum.
  ComPtr<IEnumVARIANT> Enumerate() const;

  IDispatch* get() const { return object_.get(); }

  // Results read as the kind asked for; raises a type mismatch otherwise.
  std::string Text(const wchar_t* name) const;
  bool Logical(const wchar_t* name) const;
  std::int32_t Long(const wchar_t* name) const;
  double Number(const wchar_t* name) const;
  // An object result; raises "Object variable not set" for Nothing.
  ComPtr<IDispatch> Object(const wchar_t* name, std::initializer_list<Argument> arguments = {}) const;

 private:
  OwnedVariant Invoke(const wchar_t* name, WORD flags, Argument* arguments, std::size_t count) const;

  ComPtr<IDispatch> object_;
};

// Reading a call's result.
std::string TextOf(OwnedVariant value);
bool LogicalOf(OwnedVariant value);
std::int32_t LongOf(OwnedVariant value);
double NumberOf(OwnedVariant value);
// The object a result holds; none for Nothing or Empty.
ComPtr<IDispatch> ObjectOf(OwnedVariant value);
// A value result (a cell's value); raises a type mismatch for an object.
host::Variant ValueOf(const OwnedVariant& value);

}  // namespace tabulara::com
