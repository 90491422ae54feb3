#include "automation_host/host_library.h"

#include <oleauto.h>

#include <stdexcept>
#include <string>

namespace tabulara::automation {
namespace {

ITypeLib& Library() {
  static com::ComPtr<ITypeLib> library = [] {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    com::ComPtr<ITypeLib> loaded;
    if (FAILED(LoadTypeLibEx(path, REGKIND_NONE, loaded.put()))) {
      throw std::runtime_error("the host's type library is missing from the program");
    }
    return loaded;
  }();
  return *library.get();
}

}  // namespace

com::ComPtr<ITypeInfo> TypeInfo(REFIID type) {
  com::ComPtr<ITypeInfo> info;
  if (FAILED(Library().GetTypeInfoOfGuid(type, info.put()))) {
    throw std::runtime_error("the host's type library lacks an interface");
  }
  return info;
}

}  // namespace tabulara::automation
