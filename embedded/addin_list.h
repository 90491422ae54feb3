#pragma once

#include <memory>
#include <string>
#include <vector>

#include "embedded/automation_server.h"
#include "embedded/runtime.h"
#include "host/addins.h"

namespace tabulara::embedded {

// The host's list of automation add-ins. Add with a ProgID the host does
// not know raises 1004.
class AddInList {
 public:
  explicit AddInList(std::shared_ptr<Runtime> runtime);
  ~AddInList();

  host::Ref<host::AddIns> AddIns();
  // A class the host can load by its ProgID, and how to create it.
  void Register(const std::string& progID, AutomationFactory factory);

  struct AddInView {
    std::string progID;
    bool installed = false;
  };
  std::vector<AddInView> View() const;
  // An object of each installed add-in's class, for one calculation.
  std::vector<std::unique_ptr<AutomationServer>> CreateInstalled() const;

 private:
  struct Model;
  std::shared_ptr<Model> model_;
};

}  // namespace tabulara::embedded
