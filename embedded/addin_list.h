#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/automation_server.h"
#include "embedded/runtime.h"
#include "host/addins.h"

namespace tabulara::embedded {

// Whether two ProgIDs name the same class: the host matches them without
// regard to case.
bool SameProgID(std::string_view a, std::string_view b);

// The host's list of automation add-ins. Add with a ProgID the host does
// not know raises 1004, and so does installing a listed add-in whose class
// is not registered (the host keeps it listed all the same).
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
    // Whether the host can create its class.
    bool registered = false;
    friend bool operator==(const AddInView&, const AddInView&) = default;
  };
  std::vector<AddInView> View() const;
  // An object of each installed add-in's class, for one calculation.
  std::vector<std::unique_ptr<AutomationServer>> CreateInstalled() const;

  // The list as the host kept it from its last run, in place of the present
  // one (only the ProgIDs and installed states are taken).
  void Restore(const std::vector<AddInView>& entries);
  // Called after an add-in was listed or its installed state changed.
  void OnChange(std::function<void()> changed);

 private:
  struct Model;
  std::shared_ptr<Model> model_;
};

}  // namespace tabulara::embedded
