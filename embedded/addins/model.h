#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/automation_server.h"
#include "embedded/runtime.h"
#include "host/addins.h"

namespace tabulara::embedded::addins {

// One add-in of the host's list.
struct Entry {
  std::string progID;
  bool installed = false;
};

struct Model {
  explicit Model(std::shared_ptr<Runtime> runtime) : runtime(std::move(runtime)) {}

  std::shared_ptr<Runtime> runtime;
  // The classes the host can load, by ProgID.
  struct Registration {
    std::string progID;
    AutomationFactory factory;
  };
  std::vector<Registration> registered;
  // The add-ins list, in the order they were added.
  std::vector<std::shared_ptr<Entry>> listed;
  // Told of every change of the list.
  std::function<void()> changed;

  // ProgIDs match without regard to case; none when the host cannot create
  // the class.
  const Registration* FindRegistration(std::string_view progID) const;
  void Changed() const {
    if (changed) changed();
  }
};


// A new reference to the AddIns collection, counted while it exists.
host::Ref<host::AddIns> MakeAddInsObject(const std::shared_ptr<Model>& model);

}  // namespace tabulara::embedded::addins
