#include "embedded/addin_list.h"

#include "embedded/addins/model.h"

namespace tabulara::embedded {

struct AddInList::Model : addins::Model {
  using addins::Model::Model;
};

AddInList::AddInList(std::shared_ptr<Runtime> runtime) : model_(std::make_shared<Model>(std::move(runtime))) {}

AddInList::~AddInList() = default;

host::Ref<host::AddIns> AddInList::AddIns() { return addins::MakeAddInsObject(model_); }

void AddInList::Register(const std::string& progID, AutomationFactory factory) {
  model_->registered.push_back({progID, std::move(factory)});
}

std::vector<AddInList::AddInView> AddInList::View() const {
  std::vector<AddInView> view;
  for (const std::shared_ptr<addins::Entry>& entry : model_->listed) {
    view.push_back({entry->progID, entry->installed, model_->FindRegistration(entry->progID) != nullptr});
  }
  return view;
}

void AddInList::Restore(const std::vector<AddInView>& entries) {
  model_->listed.clear();
  for (const AddInView& entry : entries) {
    model_->listed.push_back(std::make_shared<addins::Entry>(addins::Entry{entry.progID, entry.installed}));
  }
}

void AddInList::OnChange(std::function<void()> changed) { model_->changed = std::move(changed); }

std::vector<std::unique_ptr<AutomationServer>> AddInList::CreateInstalled() const {
  std::vector<std::unique_ptr<AutomationServer>> servers;
  for (const std::shared_ptr<addins::Entry>& entry : model_->listed) {
    if (!entry->installed) continue;
    for (const addins::Model::Registration& registration : model_->registered) {
      if (registration.progID == entry->progID) servers.push_back(registration.factory());
    }
  }
  return servers;
}

}  // namespace tabulara::embedded
