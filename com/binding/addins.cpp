#include "com/binding/bound.h"

namespace tabulara::com {
namespace {

class AddIn final : public host::AddIn, public Bound {
 public:
  using Bound::Bound;
  std::string progID() override { return object().Text(L"progID"); }
  bool Installed() override { return object().Logical(L"Installed"); }
  void Installed(bool installed) override { object().Put(L"Installed", installed); }
};

host::Ref<host::AddIn> BoundAddIn(ComPtr<IDispatch> object) { return std::make_shared<AddIn>(std::move(object)); }

class AddIns final : public host::AddIns, public Bound {
 public:
  using Bound::Bound;
  std::unique_ptr<host::Enumerator<host::AddIn>> NewEnum() override {
    return Enumerate<host::AddIn>(object(), &BoundAddIn);
  }
  host::Ref<host::AddIn> Add(const std::string& filename, bool copyFile) override {
    return BoundAddIn(object().Object(L"Add", {filename, copyFile}));
  }
};

}  // namespace

host::Ref<host::AddIns> BoundAddIns(ComPtr<IDispatch> object) { return std::make_shared<AddIns>(std::move(object)); }

}  // namespace tabulara::com
