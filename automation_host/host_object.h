#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "com/binding/owned_variant.h"
#include "com/com_object.h"
#include "com/com_ptr.h"
#include "host/object.h"
#include "host/variant.h"

namespace tabulara::automation {

using com::ComPtr;
using com::OwnedVariant;

// The arguments of a call, by their published position (0 is the first).
class Call {
 public:
  explicit Call(DISPPARAMS& parameters);
  bool Missing(unsigned position) const;
  std::string Text(unsigned position) const;
  int Long(unsigned position) const;
  double Number(unsigned position) const;
  bool Logical(unsigned position) const;
  host::Variant Value(unsigned position) const;
  // A host object the caller passes back: one of this host's own.
  host::Ref<host::Object> Object(unsigned position) const;
  // The value of a property put.
  const VARIANT& PutValue() const;

 private:
  const VARIANT& At(unsigned position) const;
  std::vector<const VARIANT*> positional_;
  const VARIANT* putValue_ = nullptr;
};

using Getter = std::function<OwnedVariant(const Call&)>;
using Putter = std::function<void(const Call&)>;

// One member of an object as its type information names it.
struct Member {
  std::wstring name;
  Getter get;
  Putter put;
};

// An object of the host's model reached through IDispatch: its names and
// dispatch ids come from the host's type library, its members from a table;
// the host's errors go to the caller as an exception with the host's number
// and description.
class HostObject : public com::ComObject<IDispatch> {
 public:
  HostObject(REFIID type, host::Ref<host::Object> model, std::vector<Member> members);
  ~HostObject() override;

  const host::Ref<host::Object>& model() const { return model_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  // How many objects of the host live now: a client that let go of all it
  // received leaves only what the host itself holds.
  static long Live();

 protected:
  // Interfaces besides IDispatch that the object answers for.
  virtual void* Other(REFIID) { return nullptr; }

 private:
  bool Answers(REFIID iid) const override;

  IID type_;
  ComPtr<ITypeInfo> info_;
  host::Ref<host::Object> model_;
  std::map<DISPID, Member> members_;
};

// The host object behind a client's IDispatch; none when it is not one of
// this host's.
HostObject* HostObjectOf(IDispatch* object);

// Results.
OwnedVariant Result(const host::Variant& value);
OwnedVariant Result(const std::string& text);
OwnedVariant Result(bool value);
OwnedVariant Result(int value);
OwnedVariant Result(double value);
// Takes the new reference `object` holds (Nothing for nullptr).
OwnedVariant Result(IDispatch* object);
inline OwnedVariant Nothing() { return OwnedVariant(); }

}  // namespace tabulara::automation
