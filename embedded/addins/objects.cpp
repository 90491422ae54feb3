#include <algorithm>

#include "embedded/addin_list.h"
#include "embedded/addins/model.h"
#include "host/host_error.h"

namespace tabulara::embedded {

bool SameProgID(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace tabulara::embedded

namespace tabulara::embedded::addins {

const Model::Registration* Model::FindRegistration(std::string_view progID) const {
  const auto found = std::find_if(registered.begin(), registered.end(),
                                  [&](const Registration& each) { return SameProgID(each.progID, progID); });
  return found != registered.end() ? &*found : nullptr;
}

namespace {

class AddInObject final : public host::AddIn, private Counted {
 public:
  AddInObject(std::shared_ptr<Model> model, std::shared_ptr<Entry> entry)
      : Counted(model->runtime), model_(std::move(model)), entry_(std::move(entry)) {}

  std::string progID() override {
    runtime().Enter("AddIn.progID");
    return entry_->progID;
  }
  bool Installed() override {
    runtime().Enter("AddIn.Installed.Get");
    return entry_->installed;
  }
  void Installed(bool installed) override {
    runtime().Enter("AddIn.Installed.Put");
    if (installed && model_->FindRegistration(entry_->progID) == nullptr) {
      throw host::HostError(host::kErrHostFailed, "Unable to set the Installed property of the AddIn class");
    }
    if (entry_->installed == installed) return;
    entry_->installed = installed;
    model_->Changed();
  }

 private:
  std::shared_ptr<Model> model_;
  std::shared_ptr<Entry> entry_;
};

class AddInEnumerator final : public host::Enumerator<host::AddIn>, private Counted {
 public:
  explicit AddInEnumerator(std::shared_ptr<Model> model)
      : Counted(model->runtime), model_(std::move(model)), entries_(model_->listed) {}

  host::Maybe<host::AddIn> Next() override {
    runtime().Enter("AddIns.Next");
    if (next_ == entries_.size()) return std::nullopt;
    return std::make_shared<AddInObject>(model_, entries_[next_++]);
  }

 private:
  std::shared_ptr<Model> model_;
  std::vector<std::shared_ptr<Entry>> entries_;
  std::size_t next_ = 0;
};

class AddInsObject final : public host::AddIns, private Counted {
 public:
  explicit AddInsObject(std::shared_ptr<Model> model) : Counted(model->runtime), model_(std::move(model)) {}

  std::unique_ptr<host::Enumerator<host::AddIn>> NewEnum() override {
    runtime().Enter("AddIns.NewEnum");
    return std::make_unique<AddInEnumerator>(model_);
  }

  // `filename` names a registered ProgID; an add-in already listed comes
  // back as it is. `copyFile` matters only for files on removable media.
  host::Ref<host::AddIn> Add(const std::string& filename, bool) override {
    runtime().Enter("AddIns.Add");
    const Model::Registration* registered = model_->FindRegistration(filename);
    if (registered == nullptr) {
      throw host::HostError(host::kErrHostFailed, "Add method of AddIns class failed");
    }
    const auto listed =
        std::find_if(model_->listed.begin(), model_->listed.end(),
                     [&](const std::shared_ptr<Entry>& entry) { return SameProgID(entry->progID, filename); });
    if (listed != model_->listed.end()) return std::make_shared<AddInObject>(model_, *listed);
    auto entry = std::make_shared<Entry>(Entry{registered->progID, false});
    model_->listed.push_back(entry);
    model_->Changed();
    return std::make_shared<AddInObject>(model_, entry);
  }

 private:
  std::shared_ptr<Model> model_;
};

}  // namespace

host::Ref<host::AddIns> MakeAddInsObject(const std::shared_ptr<Model>& model) {
  return std::make_shared<AddInsObject>(model);
}

}  // namespace tabulara::embedded::addins
